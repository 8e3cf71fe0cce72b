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

TEST(RaceEventCatchUp, NoteEntryFlagRules) {
  EXPECT_EQ(RaceEventFields::kindGroup(21), 1u);
  EXPECT_EQ(RaceEventFields::kindGroup(24), 1u);
  EXPECT_EQ(RaceEventFields::kindGroup(25), 0u);
  EXPECT_EQ(RaceEventFields::kindGroup(0x1234), 0x1200u);
  // Each case starts from kind +0 and flags, applies one operation, and expects the kind word,
  // the flags and the kind the entry reads as.
  struct Case {
    const char* name;
    std::uint16_t kind;
    std::uint32_t flags;
    bool set;
    std::uint32_t flag;
    std::uint16_t kindAfter;
    std::uint32_t flagsAfter;
    std::uint32_t reads;
  } cases[] = {
      {"kind into the flags", 0x0123, 0x8, true, 0x4000, 0x0123, 0x8 | 0x4000 | (0x123u << 19), 0x123},
      {"kind back out", 7, 0x4000 | (0x0ABu << 19) | 0x8, false, 0x4000, 0x0AB, 0x8, 0x0AB},
      {"set again keeps the moved kind", 7, 0x4000 | (0x0ABu << 19), true, 0x4000, 7, 0x4000 | (0x0ABu << 19), 0x0AB},
      {"clear when not set keeps the kind", 7, 0x10, false, 0x4000, 7, 0x10, 7},
      {"exclusive bit replaces the last", 3, 0x80000000u | 0x20 | 0x100, true, 0x1000, 3, 0x80000000u | 0x1000 | 0x100, 3},
      {"other bit adds", 3, 0x20, true, 0x100, 3, 0x120, 3},
      {"handled bit set", 3, 0x20, true, 0x80000000u, 3, 0x80000020u, 3},
      {"clearing one bit", 3, 0x80000000u | 0x20 | 0x100, false, 0x20, 3, 0x80000100u, 3},
  };
  for (const auto& c : cases) {
    auto entry = eventList({{c.kind, c.flags, 1.0f}});
    if (c.set) {
      RaceEventFields::setFlag(entry.data(), c.flag);
    } else {
      RaceEventFields::clearFlag(entry.data(), c.flag);
    }
    std::uint16_t kind;
    std::memcpy(&kind, entry.data(), 2);
    EXPECT_EQ(kind, c.kindAfter) << c.name;
    EXPECT_EQ(RaceEventFields::flags(entry.data()), c.flagsAfter) << c.name;
    EXPECT_EQ(RaceEventFields::kind(entry.data()), c.reads) << c.name;
    EXPECT_EQ(RaceEventFields::dueTime(entry.data()), 1.0f) << c.name;
  }
}
