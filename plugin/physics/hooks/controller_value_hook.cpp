#include "plugin/physics/hooks/controller_value_hook.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/workers/input_workers.h"

namespace kvl::physics {

void QZR_THISCALL controllerValueHook(void* target, float value) noexcept {
  try {
    host::forceFeedbackWorker().syncTick();
    if (host::inputWorker().syncTick()) return;
  } catch (...) {
  }
  try {
    host::hostFunction<0x4CBF50, void(QZR_THISCALL*)(void*, float)>()(target, value);
  } catch (...) {
  }
}

}  // namespace kvl::physics
