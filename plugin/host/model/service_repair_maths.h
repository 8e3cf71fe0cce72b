#pragma once
// The arithmetic of the plugin's service park: repair work times scaled by the service crew and
// the condition of a wheel record.
#include <cstdint>

namespace kvl::host {

struct RepairTimes {
  float longTime;   // T1, the +60 and +68 times
  float shortTime;  // T2, the +56 and +64 times
};

// Mechanics m picks [0.525, 0.375, 0.3, 0.225, 0.15, 0.075][m - 1] and skill s picks
// [1.8, 1.65, 1.5, 1.35, 1.2][s - 1], each index held to the table; T1 = M x 45 x S, T2 =
// M x 30 x S in single precision.
RepairTimes repairTimesFor(std::int32_t mechanics, std::int32_t skill) noexcept;

// The number of thresholds 0.2, 0.4, 0.6, 0.8 below a wear mean (0 to 4), and below the mean of
// eight values.
std::int32_t wheelConditionOfMean(float mean) noexcept;
std::int32_t wheelCondition(const float* eight) noexcept;

}  // namespace kvl::host
