#pragma once
// The ranges the load pass checks the differential maps of the host's engine, gearbox and
// differential block against: which maps are checked for the drive type, and with which range at
// each map point.
#include <cstdint>
#include <vector>

namespace kvl::physics {

// The twelve maps of the host's engine, gearbox and differential block, eleven points each, in
// the order they lie there: the centre set, the left-foot centre set, front, rear; throttle,
// brake, speed within each.
enum DifferentialMap : int {
  kCenterDiffThrottle = 0,
  kCenterDiffBrake = 1,
  kCenterSpeedMap = 2,
  kLfCenterDiffThrottle = 3,
  kLfCenterDiffBrake = 4,
  kLfCenterSpeedMap = 5,
  kFrontDiffThrottle = 6,
  kFrontDiffBrake = 7,
  kFrontSpeedMap = 8,
  kRearDiffThrottle = 9,
  kRearDiffBrake = 10,
  kRearSpeedMap = 11,
};
constexpr int kDifferentialMaps = 12;
constexpr int kDifferentialMapPoints = 11;
// The key name of a map ("CenterDiffThrottle", ...); null for a number that is no map.
const char* differentialMapName(int map) noexcept;

struct MapRangeInputs {
  int driveType = 0;
  // Centre, front and rear differential kinds (all 1 when the Features word is below 4).
  int selector[3] = {1, 1, 1};
  float low = 0.0f, high = 0.0f;  // the setup ranges' map-value range
  // Minimum and maximum lock percentages of the centre, front and rear differentials.
  std::uint32_t lockPctMin[3] = {0, 0, 0};
  std::uint32_t lockPctMax[3] = {0, 0, 0};
};

struct MapRangeCheck {
  int map;
  int point;
  float low, high;
};

// The checks in the order they run: for drive type 1 every named map, for 3 the front maps,
// against the map-value range; for 4 to 7 the lock-percentage ranges of the differentials the
// plugin models ([0, 0] where the kind takes no value at that point); none for other types.
std::vector<MapRangeCheck> differentialMapChecks(const MapRangeInputs& in);

}  // namespace kvl::physics
