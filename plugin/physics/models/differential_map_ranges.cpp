#include "plugin/physics/models/differential_map_ranges.h"

#include <initializer_list>

namespace kvl::physics {
namespace {

constexpr const char* kMapNames[kDifferentialMaps] = {
    "CenterDiffThrottle", "CenterDiffBrake",   "CenterSpeedMap",  "LfCenterDiffThrottle",
    "LfCenterDiffBrake",  "LfCenterSpeedMap",  "FrontDiffThrottle", "FrontDiffBrake",
    "FrontSpeedMap",      "RearDiffThrottle",  "RearDiffBrake",   "RearSpeedMap"};

// The maps each differential's lock-percentage checks cover: the two that take the range at
// point 0 whatever the kind, then those that take it only for kind 1.
struct DifferentialMaps {
  int lockMaps[2];
  int kindOneMaps[4];
  int kindOneCount;
};
constexpr DifferentialMaps kCentre = {{kCenterDiffThrottle, kCenterDiffBrake},
                                      {kLfCenterDiffThrottle, kLfCenterDiffBrake, kCenterSpeedMap, kLfCenterSpeedMap},
                                      4};
constexpr DifferentialMaps kFront = {{kFrontDiffThrottle, kFrontDiffBrake}, {kFrontSpeedMap, 0, 0, 0}, 1};
constexpr DifferentialMaps kRear = {{kRearDiffThrottle, kRearDiffBrake}, {kRearSpeedMap, 0, 0, 0}, 1};

void lockChecks(std::vector<MapRangeCheck>& out, const MapRangeInputs& in, int d, const DifferentialMaps& maps) {
  const int kind = in.selector[d];
  const float low = static_cast<float>(in.lockPctMin[d]) / 100.0f;
  const float high = static_cast<float>(in.lockPctMax[d]) / 100.0f;
  for (int j = 0; j < kDifferentialMapPoints; ++j) {
    const bool lockRange = kind == 1 || (j == 0 && kind != 2);
    for (int m : maps.lockMaps) out.push_back({m, j, lockRange ? low : 0.0f, lockRange ? high : 0.0f});
    for (int i = 0; i < maps.kindOneCount; ++i) {
      out.push_back({maps.kindOneMaps[i], j, kind == 1 ? low : 0.0f, kind == 1 ? high : 0.0f});
    }
  }
}

void hostMapChecks(std::vector<MapRangeCheck>& out, const MapRangeInputs& in, std::initializer_list<int> maps) {
  for (int j = 0; j < kDifferentialMapPoints; ++j) {
    for (int m : maps) out.push_back({m, j, in.low, in.high});
  }
}

}  // namespace

const char* differentialMapName(int map) noexcept {
  return map < 0 || map >= kDifferentialMaps ? nullptr : kMapNames[map];
}

std::vector<MapRangeCheck> differentialMapChecks(const MapRangeInputs& in) {
  std::vector<MapRangeCheck> out;
  const int t = in.driveType;
  if (t == 1) {
    hostMapChecks(out, in, {kCenterDiffThrottle, kLfCenterDiffThrottle, kCenterDiffBrake, kLfCenterDiffBrake,
                            kCenterSpeedMap, kLfCenterSpeedMap});
  }
  if (t == 1) {
    hostMapChecks(out, in, {kFrontDiffThrottle, kFrontDiffBrake, kFrontSpeedMap, kRearDiffThrottle, kRearDiffBrake,
                            kRearSpeedMap});
  } else if (t == 3) {
    hostMapChecks(out, in, {kFrontDiffThrottle, kFrontDiffBrake, kFrontSpeedMap});
  } else if (t >= 4 && t <= 7) {
    if (t >= 6) lockChecks(out, in, 0, kCentre);
    if (t != 5) lockChecks(out, in, 1, kFront);
    if (t != 4) lockChecks(out, in, 2, kRear);
  }
  return out;
}

}  // namespace kvl::physics
