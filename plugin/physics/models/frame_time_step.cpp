#include "plugin/physics/models/frame_time_step.h"

namespace kvl::physics {

bool effectsAdvanceIn(int s) { return s == 1 || s == 3 || s == 8 || s == 9 || s == 10 || s == 15; }

bool effectsStepFor(int periods, int64_t elapsedMicroseconds, float& seconds) {
  if (periods <= 0) return false;
  seconds = periods > 10 ? kEffectsStepSeconds : static_cast<float>(static_cast<double>(elapsedMicroseconds) / 1000000.0);
  return true;
}

}  // namespace kvl::physics
