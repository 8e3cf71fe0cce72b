// The arithmetic of the service park and of the race-event catch-up, on plain values.
#include <cstring>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/model/race_event_list.h"
#include "plugin/host/model/service_repair_maths.h"

using namespace kvl::host;

TEST(ServiceRepair, WorkTimesByCrew) {
  struct Case {
    int mechanics, skill;
    float m, s;
  } cases[] = {{1, 1, 0.525f, 1.8f}, {6, 5, 0.075f, 1.2f}, {9, 7, 0.075f, 1.2f},
               {0, 0, 0.525f, 1.8f}, {3, 2, 0.3f, 1.65f},  {-2147483647 - 1, 2147483647, 0.525f, 1.2f}};
  for (const auto& c : cases) {
    const RepairTimes t = repairTimesFor(c.mechanics, c.skill);
    EXPECT_EQ(t.longTime, c.m * 45.0f * c.s) << c.mechanics << " " << c.skill;
    EXPECT_EQ(t.shortTime, c.m * 30.0f * c.s) << c.mechanics << " " << c.skill;
  }
}

TEST(ServiceRepair, WheelCondition) {
  struct Case {
    float value;
    int condition;
  } cases[] = {{0.0f, 0}, {0.2f, 0}, {0.4f, 1}, {0.41f, 2}, {0.8f, 3}, {0.81f, 4}, {5.0f, 4}};
  for (const auto& c : cases) {
    float eight[8];
    for (float& v : eight) v = c.value;
    EXPECT_EQ(wheelCondition(eight), c.condition) << c.value;
  }
}

namespace {

std::vector<std::uint8_t> eventList(const std::vector<std::tuple<std::uint16_t, std::uint32_t, float>>& events) {
  std::vector<std::uint8_t> bytes(events.size() * RaceEventFields::kSize, 0);
  for (std::size_t i = 0; i < events.size(); ++i) {
    std::memcpy(&bytes[i * 12], &std::get<0>(events[i]), 2);
    std::memcpy(&bytes[i * 12 + 4], &std::get<1>(events[i]), 4);
    std::memcpy(&bytes[i * 12 + 8], &std::get<2>(events[i]), 4);
  }
  return bytes;
}

}  // namespace

TEST(RaceEventCatchUp, PendingEventsBeforeThePivotInIndexOrder) {
  const std::uint32_t handled = RaceEventFields::kHandled;
  const std::uint32_t kindInFlags = RaceEventFields::kKindInFlags | (23u << 19);
  const auto list = eventList({{22, 0, 1.0f},              // 0: collected
                               {5, 0, 2.0f},               // 1: another kind
                               {22, handled, 3.0f},        // 2: already handled
                               {99, kindInFlags, 4.0f},    // 3: kind 23 from the flags
                               {24, 0, 5.0f},              // 4: the pivot, left to the host
                               {21, 0, 9.0f}});            // 5: not yet due
  struct Case {
    float now;
    std::vector<std::int32_t> expected;
  } cases[] = {{5.5f, {0, 3}}, {0.5f, {}}, {1.5f, {}}, {4.5f, {0}}, {100.0f, {0, 3, 4}}};
  for (const auto& c : cases) {
    EXPECT_EQ(pendingRaceEvents(list.data(), 6, c.now), c.expected) << c.now;
  }
  EXPECT_EQ(RaceEventFields::kind(&list[36]), 23u);
}
