#include <cstdint>

#include <gtest/gtest.h>

#include "plugin/host/binding/host_class_clone.h"

using namespace kvl::host;

namespace {

struct HostClassObject {
  const void* table;
  int destructorRuns = 0;
};

void* QZR_THISCALL hostDestructor(void* self, std::uint32_t flags) {
  auto* o = static_cast<HostClassObject*>(self);
  ++o->destructorRuns;
  EXPECT_EQ(flags, 0u) << "destroyed in place: nothing is freed";
  return self;
}

int otherSlotMark;

}  // namespace

TEST(HostClassClone, DestroyingInPlaceRunsTheHostDestructorOnce) {
  void* hostTable[3] = {reinterpret_cast<void*>(&hostDestructor), &otherSlotMark, &otherSlotMark};
  void* copy[3] = {};
  void* inert[3] = {};
  fillTableCopy(copy, hostTable, 3, -1, nullptr);
  fillTableCopy(inert, hostTable, 3, 0, reinterpret_cast<void*>(&keepObject));
  EXPECT_EQ(copy[0], hostTable[0]);
  EXPECT_EQ(inert[0], reinterpret_cast<void*>(&keepObject));
  EXPECT_EQ(inert[2], &otherSlotMark) << "the other slots stay the host's";

  HostClassObject object{copy};
  destroyInPlace(&object, inert);
  EXPECT_EQ(object.destructorRuns, 1);
  EXPECT_EQ(object.table, inert);
  destroyInPlace(&object, inert);  // a second destruction, by the plugin or the host
  EXPECT_EQ(object.destructorRuns, 1);
  destroyInPlace(nullptr, inert);
}
