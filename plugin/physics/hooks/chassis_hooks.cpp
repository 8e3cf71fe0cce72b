#include "plugin/physics/hooks/chassis_hooks.h"

#include <cstring>

#include "plugin/host/events/event_records.h"
#include "plugin/host/events/hook_adapters.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/force_feedback_model.h"
#include "plugin/physics/wheel_position.h"

namespace kvl::physics {

using host::fieldAt;

float QZR_THISCALL forceFeedbackCurveHook(void* car) noexcept {
  if (car == nullptr || fieldAt<std::int32_t>(car, 492) != 0) return 0.0f;
  const void* block = HostCar::parameterBlock(car);
  const float k = block == nullptr ? 1.0f : fieldAt<float>(block, CarParameterBlock::kFfbSensitivity);
  return forceFeedbackCurve(fieldAt<float>(car, 2796), k);
}

extern "C" void QZR_CDECL qzrCarTick(void* car, const void* record) noexcept {
  try {
    host::CarTickRecord copy;
    std::memcpy(copy.bytes, record, sizeof copy.bytes);
    for (int i = 0; i < 4 && car != nullptr; ++i) {
      const GroundPosition p = wheelGroundPosition(HostCar::wheel(car, i));
      fieldAt<float>(copy.bytes, 96 + 16 * i) += p.x;
      fieldAt<float>(copy.bytes, 100 + 16 * i) += p.y;
      fieldAt<float>(copy.bytes, 104 + 16 * i) += 0.0f;
    }
    host::consumeTick(copy.bytes);
    host::HostEventHub* hub = host::HostEventHub::instance();
    if (hub != nullptr) host::dispatchRaise(host::physicsWorker(), hub->carTick(), copy.bytes, sizeof copy.bytes);
  } catch (...) {
  }
}

}  // namespace kvl::physics
