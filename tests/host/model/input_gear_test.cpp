// A raw controller event reaches the host car's controls; a gear request for the gear already
// engaged is dropped (32-bit host layout on the host stand-in).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "plugin/host/events/event_records.h"
#include "plugin/host/workers/input_workers.h"
#include "tests/support/host_fixture.h"

namespace {

std::uint32_t appliedFlags = 0xFFFFFFFFu;
void __attribute__((thiscall)) applyControls(void*, const kvl::host::InputEventRecord* record) {
  appliedFlags = record->flags;
}

std::uint32_t word(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace

TEST(InputGear, RequestForTheEngagedGearIsDropped) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  host.paintFunction(0x4E91F0, &applyControls);
  // The car's drivetrain solver is its member at +1200 (no pointer there); the solver's +8 holds
  // the gearbox owner, whose gearbox record (+1380) is in gear 3.
  static unsigned char car[7520], owner[1400];
  const std::uint32_t o = word(owner);
  const std::int32_t gear = 3;
  std::memcpy(car + 1200 + 8, &o, 4);
  std::memcpy(owner + 1380 + 12, &gear, 4);
  host.setGlobal(0x8EF660, car);
  for (std::uint8_t requested : {3, 2}) {
    kvl::host::RawInputRecord raw{};
    raw.flags = 4;
    raw.gearPlusOne = static_cast<std::uint8_t>(requested + 1);
    kvl::host::inputWorker().onRawInput(raw);
    EXPECT_EQ(appliedFlags & 4u, requested == 3 ? 0u : 4u) << int{requested};
  }
}
