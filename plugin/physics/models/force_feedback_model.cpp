#include "plugin/physics/models/force_feedback_model.h"

#include <algorithm>
#include <cmath>

#include "plugin/physics/models/float_sign.h"

namespace kvl::physics {

float forceFeedbackCurve(float x, float sensitivity) {
  if (std::isnan(x) || x == 0.0f) return 0.0f;
  const float k = sensitivity >= 1.0f ? sensitivity : 1.0f;
  const float e = std::fabs(x) * (100.0f / k);
  const float a = static_cast<float>(std::pow(static_cast<double>(0.975f), static_cast<double>(e)));
  return static_cast<float>(signOf(x)) * (1.0f - a);
}

int32_t constantForceFor(int32_t gain, float steering) {
  const float f = static_cast<float>(gain) * steering;
  if (std::isnan(f)) return 0;
  return static_cast<int32_t>(std::floor(std::clamp(f, -10000.0f, 10000.0f)));
}

int shifterGear(const ShifterItems& items) {
  bool anyBound = false;
  for (int i = 0; i < 8; ++i) {
    if (!items.bound[i]) continue;
    anyBound = true;
    if (items.value[i] > 0.999f) return i + 1;
  }
  return (anyBound && !items.bound[1]) ? 2 : 0;
}

}  // namespace kvl::physics
