// The companion plugin's view: QZR.dll loaded by name beside a host stand-in, CreateProxy found
// by name, both interfaces driven through their tables (i686).
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/host_fixture.h"

namespace {

#define THISCALL __attribute__((thiscall))
constexpr std::uint32_t kRecordSize = 16048;

// The host functions the event uses while it is built and read.
void* carStateTable[4] = {};
void* THISCALL rallyRecordReset(void* record) { return record; }
void* THISCALL carStateConstruct(std::uint8_t* record) {
  std::memset(record, 0, kRecordSize);
  const auto table = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(carStateTable));
  std::memcpy(record, &table, 4);
  return record;
}
void* THISCALL carStateReset(std::uint8_t* record) {
  std::memset(record + 4, 0, kRecordSize - 4);
  return record;
}
std::int32_t THISCALL carStateQuery(const std::uint8_t* record) { return record[8]; }

// The interfaces as the companion plugin declares them.
using Destroy = void*(THISCALL*)(void*, std::uint32_t);
using Int = std::int32_t(THISCALL*)(void*);
using Bool = std::uint8_t(THISCALL*)(void*);
using Control = void*(THISCALL*)(void*);
using Configure = void(THISCALL*)(void*, std::int32_t, std::int32_t, std::int32_t, float);
using Transfer = std::int32_t(THISCALL*)(void*, void*, std::uint32_t);
using Value = double(THISCALL*)(void*);
using Reset = void*(THISCALL*)(void*);

template <typename F>
F slot(void* object, int n) {
  return reinterpret_cast<F>((*static_cast<void***>(object))[n]);
}

}  // namespace

TEST(ProxyClient, TwoObjectsOneEvent) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  carStateTable[3] = reinterpret_cast<void*>(&carStateReset);
  host.paintFunction(0x5D68E0, &rallyRecordReset);
  host.paintFunction(0x4EF410, &carStateConstruct);
  host.paintFunction(0x4EC0D0, &carStateQuery);

  HMODULE plugin = LoadLibraryA("QZR.dll");
  ASSERT_NE(plugin, nullptr);
  auto createProxy = reinterpret_cast<void* (*)()>(reinterpret_cast<void*>(GetProcAddress(plugin, "CreateProxy")));
  ASSERT_NE(createProxy, nullptr);
  void* a = createProxy();
  void* b = createProxy();
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a, b);

  EXPECT_EQ(slot<Int>(a, 1)(a), 3);
  EXPECT_EQ(slot<Bool>(a, 2)(a), 1);
  EXPECT_EQ(slot<Int>(a, 3)(a), 778);
  void* controlA = slot<Control>(a, 4)(a);
  void* controlB = slot<Control>(b, 4)(b);
  EXPECT_EQ(static_cast<char*>(controlA), static_cast<char*>(a) + 4);
  EXPECT_EQ(static_cast<char*>(controlB), static_cast<char*>(b) + 4);

  slot<Configure>(controlA, 0)(controlA, 14, 2, 5, 12.5f);

  // Written through one object, read through the other; a short buffer moves nothing.
  std::vector<std::uint8_t> record(20000);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 3);
  struct Case {
    std::uint32_t length;
    std::int32_t result;
  } cases[] = {{16047, 0}, {0, 0}, {16048, 16048}, {20000, 16048}};
  for (const auto& c : cases) {
    EXPECT_EQ(slot<Transfer>(controlB, 3)(controlB, record.data(), c.length), c.result) << c.length;
    std::vector<std::uint8_t> out(20000, 0xCC);
    EXPECT_EQ(slot<Transfer>(controlA, 4)(controlA, out.data(), c.length), c.result) << c.length;
    const std::size_t written = c.result == 0 ? 0 : kRecordSize;
    EXPECT_EQ(std::memcmp(out.data() + 4, record.data() + 4, written > 4 ? written - 4 : 0), 0) << c.length;
    EXPECT_EQ(out[written], 0xCC) << c.length;
  }
  EXPECT_EQ(slot<Transfer>(controlA, 4)(controlA, nullptr, 16048), 0);

  EXPECT_EQ(slot<Value>(controlA, 5)(controlA), 0.0);
  EXPECT_EQ(slot<Int>(controlB, 7)(controlB), record[8]);
  EXPECT_NE(slot<Reset>(controlB, 6)(controlB), nullptr);
  EXPECT_EQ(slot<Int>(controlA, 7)(controlA), 0);

  EXPECT_EQ(slot<Destroy>(a, 0)(a, 1), a);
  EXPECT_EQ(slot<Destroy>(b, 0)(b, 1), b);
}
