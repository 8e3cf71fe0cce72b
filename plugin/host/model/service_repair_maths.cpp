#include "plugin/host/model/service_repair_maths.h"

#include <algorithm>

#include "plugin/physics/models/float_octet.h"

namespace kvl::host {

RepairTimes repairTimesFor(std::int32_t mechanics, std::int32_t skill) noexcept {
  static const float kMechanics[] = {0.525f, 0.375f, 0.3f, 0.225f, 0.15f, 0.075f};
  static const float kSkill[] = {1.8f, 1.65f, 1.5f, 1.35f, 1.2f};
  const float m = kMechanics[mechanics < 1 ? 0 : std::min(mechanics - 1, 5)];
  const float s = kSkill[skill < 1 ? 0 : std::min(skill - 1, 4)];
  return {m * 45.0f * s, m * 30.0f * s};
}

std::int32_t wheelConditionOfMean(float mean) noexcept {
  static const float kThresholds[] = {0.2f, 0.4f, 0.6f, 0.8f, 1.0f};
  std::int32_t count = 0;
  for (float t : kThresholds) {
    if (t < mean) ++count;
  }
  return std::min(count, 4);
}

std::int32_t wheelCondition(const float* eight) noexcept { return wheelConditionOfMean(physics::averageOfEight(eight)); }

}  // namespace kvl::host
