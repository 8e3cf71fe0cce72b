// Parameter objects built on the host's constructors and tables, and the vector parameter's
// destruction, on the host stand-in (i686). Objects start filled with sentinel bytes; only the
// words the host's classes let the plugin write may change.
#include <cstdint>
#include <cstring>
#include <new>

#include <gtest/gtest.h>

#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_param.h"
#include "tests/support/host_fixture.h"

using namespace kvl::host;

namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kFloatTable = 0x73B644, kIntTable = 0x740534, kVectorTable = 0x7405EC;
constexpr std::size_t kSlots = 19;

std::uint32_t wordAt(const void* p, std::size_t offset) {
  std::uint32_t w;
  std::memcpy(&w, static_cast<const std::uint8_t*>(p) + offset, 4);
  return w;
}
void putWord(void* p, std::size_t offset, std::uint32_t w) { std::memcpy(static_cast<std::uint8_t*>(p) + offset, &w, 4); }
std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

kvl::testing::HostFixture& host() {
  static kvl::testing::HostFixture fixture;
  return fixture;
}

// The host's tables: slot i of the table at t holds the distinct word t + 0x1000000 + i.
void layOutTable(std::uint32_t table) {
  for (std::uint32_t i = 0; i < kSlots; ++i) putWord(host().at(table), 4 * i, table + 0x1000000u + i);
}
bool isCopyOf(std::uint32_t copy, std::uint32_t table, int differentSlot) {
  for (std::uint32_t i = 0; i < kSlots; ++i) {
    const bool same = wordAt(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(copy)), 4 * i) ==
                      table + 0x1000000u + i;
    if (same == (static_cast<int>(i) == differentSlot)) return false;
  }
  return true;
}

// The host constructors: they note the words they found and set the host table, and the float
// class's its own words 1 and 2.
std::uint32_t seenWord1 = 0, seenWord2 = 0;
void* THISCALL floatConstruct(std::uint8_t* object) {
  seenWord1 = wordAt(object, 4);
  seenWord2 = wordAt(object, 8);
  putWord(object, 0, wordOf(host().at(kFloatTable)));
  putWord(object, 4, 0x11111111u);
  putWord(object, 8, 0x22222222u);
  return object;
}
void* THISCALL intConstruct(std::uint8_t* object) {
  putWord(object, 0, wordOf(host().at(kIntTable)));
  return object;
}

// The object's end, out of line: the words it leaves are read afterwards as the host reads them.
__attribute__((noinline)) void destroyVector(HostVectorParam* p) { p->~HostVectorParam(); }

class HostedParams : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(host().loaded());
    host().paintFunction(0x52FEA0, &floatConstruct);
    host().paintFunction(0x52FEC0, &intConstruct);
    for (std::uint32_t t : {kFloatTable, kIntTable, kVectorTable}) layOutTable(t);
  }
};

}  // namespace

TEST_F(HostedParams, FloatOnTheHostConstructorKeepsWhatTheHostSet) {
  alignas(4) std::uint8_t a[16], b[16];
  std::memset(a, 0xC5, sizeof a);
  std::memset(b, 0xC5, sizeof b);
  HostFloatParam* p = HostFloatParam::constructHosted(a, 2.5f);
  EXPECT_EQ(static_cast<void*>(p), static_cast<void*>(a));
  EXPECT_EQ(seenWord1, 0u) << "words 1 and 2 are cleared before the host constructor runs";
  EXPECT_EQ(seenWord2, 0u);
  EXPECT_EQ(wordAt(a, 4), 0x11111111u) << "the host's words are kept";
  EXPECT_EQ(wordAt(a, 8), 0x22222222u);
  EXPECT_EQ(p->value(), 2.5f);
  const std::uint32_t table = wordAt(a, 0);
  EXPECT_NE(table, wordOf(host().at(kFloatTable))) << "the object is on the plugin's copy";
  EXPECT_TRUE(isCopyOf(table, kFloatTable, -1));
  // One copy per process: a later change of the host table does not reach it.
  putWord(host().at(kFloatTable), 4, 0xDEADBEEFu);
  HostFloatParam::constructHosted(b, 1.0f);
  EXPECT_EQ(wordAt(b, 0), table);
  layOutTable(kFloatTable);
  EXPECT_TRUE(isCopyOf(table, kFloatTable, -1));
}

TEST_F(HostedParams, TableParameterOnTheHostConstructor) {
  alignas(4) std::uint8_t object[136];
  std::memset(object, 0xC5, sizeof object);
  EXPECT_EQ(HostTableParam::hostConstruct(object), object);
  EXPECT_TRUE(isCopyOf(wordAt(object, 0), kIntTable, -1));
  EXPECT_NE(wordAt(object, 0), wordOf(host().at(kIntTable)));
  for (std::size_t i = 4; i < sizeof object; ++i) ASSERT_EQ(object[i], 0xC5) << "byte " << i << " is the host's";
}

TEST_F(HostedParams, DestroyedVectorLeavesTheHostsTable) {
  alignas(4) std::uint8_t memory[32];
  std::memset(memory, 0xC5, sizeof memory);
  auto* p = new (memory) HostVectorParam();
  putWord(memory, 0, wordOf(host().at(kVectorTable)));  // a host object copied over it
  p->x = 1.0f;
  p->y = 2.0f;
  p->z = 3.0f;
  std::uint8_t before[32];
  std::memcpy(before, memory, sizeof memory);
  destroyVector(p);
  asm volatile("" : : "r"(memory) : "memory");
  const std::uint32_t table = wordAt(memory, 0);
  ASSERT_NE(table, wordOf(host().at(kVectorTable))) << "no later destruction may reach the host's";
  ASSERT_TRUE(isCopyOf(table, kVectorTable, 0)) << "the host's table but slot 0";
  EXPECT_EQ(std::memcmp(memory + 4, before + 4, sizeof memory - 4), 0) << "only the table word changes";
  // Slot 0 of that copy takes its flag and does nothing.
  using Destroy = void*(THISCALL*)(void*, std::uint32_t);
  reinterpret_cast<Destroy>(static_cast<std::uintptr_t>(wordAt(reinterpret_cast<void*>(table), 0)))(memory, 1);
  EXPECT_EQ(wordAt(memory, 0), table);
  EXPECT_EQ(std::memcmp(memory + 4, before + 4, sizeof memory - 4), 0);
}
