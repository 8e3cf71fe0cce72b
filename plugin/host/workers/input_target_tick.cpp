// The force-feedback worker's tick on the host's input target.
#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_control_flag.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_input.h"
#include "plugin/host/model/host_input_table.h"
#include "plugin/host/workers/input_workers.h"
#include "plugin/physics/models/force_feedback_model.h"

namespace kvl::host {

void HostInputTarget::tick(void* target) {
  if (target == nullptr || hostActiveFlag() == 0 || locked(target)) return;
  const void* control = HostInputItem::control(HostInputTable::item(addressAt(target, HostInputTable::kTableOffset), 0));
  void* device = control == nullptr ? nullptr : HostInputItem::device(control);
  if (device == nullptr || !HostInputDevice::isReady(device)) return;
  void* output = HostInputDevice::output(device);
  if (output == nullptr) return;
  std::int32_t force = 0;
  if (hostControlFlag(11) != 0) force = physics::constantForceFor(gain(target), inputWorker().steeringValue());
  sendConstantForce(output, force);
}

}  // namespace kvl::host
