// The plugin's skid-trail copy and its copy of a Railwise class table, on the host stand-in
// (i686).
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/model/railwise_class_table.h"
#include "plugin/host/model/skid_trail.h"
#include "tests/support/host_fixture.h"

using namespace kvl::host;

namespace {

#define THISCALL __attribute__((thiscall))

std::uint32_t wordAt(const void* p, std::size_t offset) {
  std::uint32_t w;
  std::memcpy(&w, static_cast<const std::uint8_t*>(p) + offset, 4);
  return w;
}
std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

kvl::testing::HostFixture& host() {
  static kvl::testing::HostFixture fixture;
  return fixture;
}

std::vector<void*> drawn, hostFreed;
std::int32_t THISCALL trailDraw(void* trail) {
  drawn.push_back(trail);
  return 77;
}
void __cdecl runtimeFree(void* block) { hostFreed.push_back(block); }

struct Call {
  void* object;
  std::int32_t a, b;
};
std::vector<Call> railwiseCalls;
std::int32_t THISCALL railwiseSlot(void* object, std::int32_t a, std::int32_t b) {
  railwiseCalls.push_back({object, a, b});
  return 100 * a + b;
}
std::int32_t THISCALL otherSlot(void*, std::int32_t, std::int32_t) { return -1; }

}  // namespace

TEST(HostCopies, SkidTrailCopyDrawsAndFreesThroughItsOwnTable) {
  ASSERT_TRUE(host().loaded());
  host().paintFunction(0x5F05E0, &trailDraw);
  host().paintFunction(0x70C260, &runtimeFree);
  std::vector<std::uint8_t> hostTrail(SkidTrail::kSize);
  for (std::size_t i = 0; i < hostTrail.size(); ++i) hostTrail[i] = static_cast<std::uint8_t>(i * 7 + 3);
  alignas(4) static std::uint8_t copy[SkidTrail::kSize];
  std::memset(copy, 0xC5, sizeof copy);
  ASSERT_EQ(SkidTrail::copyFrom(copy, hostTrail.data()), copy);
  EXPECT_EQ(wordAt(copy, 0), wordOf(SkidTrail::table()));
  EXPECT_EQ(std::memcmp(copy + 4, hostTrail.data() + 4, SkidTrail::kSize - 4), 0);

  using Draw = std::int32_t(THISCALL*)(void*);
  using Destroy = void*(THISCALL*)(void*, std::uint32_t);
  const auto* table = static_cast<void* const*>(SkidTrail::table());
  EXPECT_EQ(reinterpret_cast<Draw>(table[1])(copy), 77);
  EXPECT_EQ(drawn, std::vector<void*>{copy});

  // Flag 0 keeps the copy; bit 0 frees it to the host runtime; with bit 2 to the plugin's heap.
  reinterpret_cast<Destroy>(table[0])(copy, 0);
  EXPECT_TRUE(hostFreed.empty());
  reinterpret_cast<Destroy>(table[0])(copy, 1);
  EXPECT_EQ(hostFreed, std::vector<void*>{copy});
  void* own = SkidTrail::copyFrom(::operator new(SkidTrail::kSize), hostTrail.data());
  reinterpret_cast<Destroy>(table[0])(own, 5);
  EXPECT_EQ(hostFreed.size(), 1u) << "a block of the plugin's heap never goes to the host's";
}

TEST(HostCopies, RailwiseTableSlotReachesTheModulesEntry) {
  ASSERT_TRUE(host().loaded());
  constexpr std::uint32_t kGraphicsGlobal = 0x894FB8, kTableOffset = 0x61059EC4 - 0x61000000;
  int object = 0;
  host().setGlobal(kGraphicsGlobal, nullptr);
  EXPECT_EQ(callOriginalTableSlot(&object, 1, 2), 0) << "no module: no call";
  EXPECT_TRUE(railwiseCalls.empty());

  static void* moduleTable[5] = {reinterpret_cast<void*>(&otherSlot), reinterpret_cast<void*>(&otherSlot),
                                 reinterpret_cast<void*>(&railwiseSlot), reinterpret_cast<void*>(&otherSlot),
                                 reinterpret_cast<void*>(&otherSlot)};
  std::uint32_t graphics[8] = {};
  graphics[7] = wordOf(moduleTable) - kTableOffset;  // Railwise.DLL's load address at +28
  host().setGlobal(kGraphicsGlobal, graphics);
  EXPECT_EQ(callOriginalTableSlot(&object, 3, 4), 304);
  // Copied once: the module's entry as it was at the first call.
  moduleTable[2] = reinterpret_cast<void*>(&otherSlot);
  EXPECT_EQ(callOriginalTableSlot(&object, 5, 6), 506);
  host().setGlobal(kGraphicsGlobal, nullptr);
  ASSERT_EQ(railwiseCalls.size(), 2u);
  EXPECT_EQ(railwiseCalls[0].object, &object);
}
