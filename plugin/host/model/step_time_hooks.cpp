#include "plugin/host/model/step_time_hooks.h"

#include "plugin/foundation/clocks/step_timer.h"

namespace kvl::host {

float QZR_THISCALL gameFloatValue(void*) noexcept {
  try {
    return static_cast<float>(StepTimer::instance().periodSeconds());
  } catch (...) {
    return 0.0f;
  }
}

std::int32_t QZR_THISCALL gameIntValue(void*) noexcept { return StepTimer::instance().lastSteps(); }

}  // namespace kvl::host
