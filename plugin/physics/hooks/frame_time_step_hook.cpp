#include "plugin/physics/hooks/frame_time_step_hook.h"

#include <cstdint>

#include "plugin/foundation/clocks/step_timer.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_game.h"
#include "plugin/physics/models/frame_time_step.h"

namespace kvl::physics {
namespace {

StepTimer& effectsStepTimer() {
  static StepTimer timer(kEffectsStepRate);
  return timer;
}

}  // namespace

void QZR_THISCALL frameTimeStepHook(void* effects, float) noexcept {
  try {
    if (!effectsAdvanceIn(host::HostGame::gameState())) return;
    std::int64_t elapsed = 0;
    int periods = 0;
    if (!effectsStepTimer().elapsedGameMicroseconds(elapsed, periods)) return;
    float seconds = 0.0f;
    if (!effectsStepFor(periods, elapsed, seconds)) return;
    host::hostFunction<0x5E2850, void(QZR_THISCALL*)(void*, float)>()(effects, seconds);
  } catch (...) {
  }
}

}  // namespace kvl::physics
