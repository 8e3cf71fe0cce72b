#include "plugin/physics/models/differential_model.h"

#include <algorithm>
#include <cmath>

namespace kvl::physics {

float cappedLock(float lock) { return std::min(0.99f, lock); }

float biasRatio(float lock) {
  const float l = cappedLock(lock);
  return std::max(1.0f, (1.0f + l) / (1.0f - l));
}

float torqueBiasingLock(float sideA, float sideB, float bias, float preload) {
  const float g = std::min(sideA, sideB);
  const float e = std::max(sideA, sideB);
  float h = (bias * g - e) / (bias + 1.0f);
  if (g > 0.0f && bias < e / g) h = 0.0f;
  return std::max(preload, std::max(0.0f, h));
}

float viscousLock(float speedDifference, float maxTorque, float lock, float preload) {
  const double root = std::sqrt(static_cast<double>(std::min(100.0f, std::fabs(speedDifference))));
  return static_cast<float>(root * (2.0f * maxTorque * lock)) + preload;
}

float differentialLock(const DifferentialInput& in) {
  float a = 0.0f;
  switch (in.kind) {
    case kDiffHost: a = in.current; break;
    case kDiffLocked: a = in.sideA + in.sideB; break;
    case kDiffTorqueBiasing: a = torqueBiasingLock(in.sideA, in.sideB, in.bias, in.preload); break;
    case kDiffViscous: a = viscousLock(in.speedDifference, in.maxTorque, in.uncappedLock, in.preload); break;
    default: a = 0.0f; break;
  }
  return in.idle ? 0.0f : a;
}

bool invert2x2(const float m[4], float inverse[4]) {
  const double det = static_cast<double>(m[3]) * m[0] - static_cast<double>(m[2]) * m[1];
  if (det == 0.0 || !std::isfinite(det)) return false;
  inverse[0] = static_cast<float>(m[3] / det);
  inverse[1] = static_cast<float>(-m[1] / det);
  inverse[2] = static_cast<float>(-m[2] / det);
  inverse[3] = static_cast<float>(m[0] / det);
  return true;
}

}  // namespace kvl::physics
