#include "plugin/physics/models/differential_map_ranges.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace kvl::physics;

MapRangeInputs inputs(int driveType, int centre, int front, int rear) {
  MapRangeInputs in;
  in.driveType = driveType;
  in.selector[0] = centre;
  in.selector[1] = front;
  in.selector[2] = rear;
  in.low = -1.0f;
  in.high = 2.0f;
  for (int d = 0; d < 3; ++d) {
    in.lockPctMin[d] = 10 * (d + 1);
    in.lockPctMax[d] = 50 + 10 * d;
  }
  return in;
}

// The named maps a drive type checks, and how many checks it makes.
TEST(DifferentialMapChecks, MapsCheckedPerDriveType) {
  struct Case {
    int driveType;
    std::set<std::string> maps;
  } cases[] = {
      {0, {}},
      {2, {}},
      {1, {"CenterDiffThrottle", "LfCenterDiffThrottle", "CenterDiffBrake", "LfCenterDiffBrake", "CenterSpeedMap",
           "LfCenterSpeedMap", "FrontDiffThrottle", "FrontDiffBrake", "FrontSpeedMap", "RearDiffThrottle",
           "RearDiffBrake", "RearSpeedMap"}},
      {3, {"FrontDiffThrottle", "FrontDiffBrake", "FrontSpeedMap"}},
      {4, {"FrontDiffThrottle", "FrontDiffBrake", "FrontSpeedMap"}},
      {5, {"RearDiffThrottle", "RearDiffBrake", "RearSpeedMap"}},
      {6, {"CenterDiffThrottle", "LfCenterDiffThrottle", "CenterDiffBrake", "LfCenterDiffBrake", "CenterSpeedMap",
           "LfCenterSpeedMap", "FrontDiffThrottle", "FrontDiffBrake", "FrontSpeedMap", "RearDiffThrottle",
           "RearDiffBrake", "RearSpeedMap"}},
      {8, {}},
  };
  for (const Case& c : cases) {
    std::set<std::string> seen;
    const auto checks = differentialMapChecks(inputs(c.driveType, 1, 1, 1));
    for (const MapRangeCheck& k : checks) {
      ASSERT_NE(differentialMapName(k.map), nullptr);
      seen.insert(differentialMapName(k.map));
      EXPECT_GE(k.point, 0);
      EXPECT_LT(k.point, kDifferentialMapPoints);
      if (c.driveType <= 3) {
        EXPECT_EQ(k.low, -1.0f);
        EXPECT_EQ(k.high, 2.0f);
      }
    }
    EXPECT_EQ(seen, c.maps) << c.driveType;
    EXPECT_EQ(checks.size(), c.maps.size() * kDifferentialMapPoints) << c.driveType;
  }
  EXPECT_EQ(differentialMapName(12), nullptr);
  EXPECT_EQ(differentialMapName(-1), nullptr);
}

// Under drive types 6 and 7 a differential of kind 1 takes its lock range on every map and point;
// an open one (2) takes [0, 0] everywhere; any other kind keeps the range only for the throttle
// and brake maps at point 0.
TEST(DifferentialMapChecks, LockRangesFollowTheKind) {
  for (int kind : {1, 2, 3, 4, 5}) {
    for (const MapRangeCheck& k : differentialMapChecks(inputs(7, kind, kind, kind))) {
      const int d = k.map >= kRearDiffThrottle ? 2 : (k.map >= kFrontDiffThrottle ? 1 : 0);
      const bool lockMap = k.map == kCenterDiffThrottle || k.map == kCenterDiffBrake || k.map == kFrontDiffThrottle ||
                           k.map == kFrontDiffBrake || k.map == kRearDiffThrottle || k.map == kRearDiffBrake;
      const bool ranged = kind == 1 || (kind != 2 && lockMap && k.point == 0);
      SCOPED_TRACE(std::string(differentialMapName(k.map)) + " point " + std::to_string(k.point) + " kind " +
                   std::to_string(kind));
      EXPECT_FLOAT_EQ(k.low, ranged ? 0.1f * static_cast<float>(d + 1) : 0.0f);
      EXPECT_FLOAT_EQ(k.high, ranged ? 0.5f + 0.1f * static_cast<float>(d) : 0.0f);
    }
  }
}

}  // namespace
