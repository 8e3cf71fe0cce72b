#include <cstdint>

#include <gtest/gtest.h>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/vtable_clone.h"

using namespace kvl::host;

namespace {

int marks[8];
void* entry(int i) { return &marks[i]; }

}  // namespace

TEST(VtableClone, CopiesTheHostTable) {
  void* host[4] = {entry(0), entry(1), entry(2), entry(3)};
  void* clone[4] = {};
  VtableClone c;
  c.setTarget(clone);
  c.copyFrom(host, 3 * sizeof(void*));
  EXPECT_EQ(clone[0], entry(0));
  EXPECT_EQ(clone[2], entry(2));
  EXPECT_EQ(clone[3], nullptr) << "copies only the byte count asked for";
}

TEST(VtableClone, ExchangeSlotRoundsDownToAWholeEntry) {
  constexpr std::size_t e = kTableEntrySize;  // 4 in the host's process
  struct Case {
    std::size_t byteOffset;
    int slot;
  } cases[] = {
      {0, 0}, {1, 0}, {e - 1, 0}, {e, 1}, {e + 2, 1},  // byte offset 6 -> entry at 4 on the host
      {2 * e - 1, 1}, {2 * e, 2}, {3 * e + 3, 3},
  };
  for (const auto& c : cases) {
    void* table[4] = {entry(0), entry(1), entry(2), entry(3)};
    VtableClone clone;
    clone.setTarget(table);
    void* replaced = clone.exchangeSlot(c.byteOffset, entry(7));
    EXPECT_EQ(replaced, entry(c.slot)) << "offset " << c.byteOffset;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(table[i], i == c.slot ? entry(7) : entry(i)) << "offset " << c.byteOffset << " slot " << i;
    }
  }
}

namespace {

struct FakeHostObject {
  void* const* table;
  int destroyedWith = -1;
  int calls = 0;
};

void* QZR_THISCALL fakeDestructor(void* self, std::uint32_t flags) {
  auto* o = static_cast<FakeHostObject*>(self);
  o->destroyedWith = static_cast<int>(flags);
  ++o->calls;
  return self;
}

}  // namespace

TEST(VtableClone, CallHostSlotRunsTheNonFreeingDestructor) {
  void* table[2] = {nullptr, reinterpret_cast<void*>(&fakeDestructor)};
  FakeHostObject object{table};
  callHostSlot(&object, static_cast<std::ptrdiff_t>(kTableEntrySize));
  EXPECT_EQ(object.calls, 1);
  EXPECT_EQ(object.destroyedWith, 0);
  callHostSlot(&object, -1);
  EXPECT_EQ(object.calls, 1) << "a negative offset calls nothing";
}
