#include "plugin/hooks/power_rows.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/physics/hooks/brake_hook.h"
#include "plugin/physics/hooks/starter_hook.h"

namespace kvl::hooks {

std::vector<HookRow> brakeRows() {
  return {{0x50A2A9, 4, HookKind::callRedirection, host::hookAddress(&physics::brakeTorqueHook), "Brake::computeTorque"}};
}

std::vector<HookRow> starterRows() {
  const auto hook = host::hookAddress(&physics::starterTorqueHook);
  return {
      {0x507A3E, 4, HookKind::callRedirection, hook, "Drivetrain::starterTorque"},
      {0x50A25D, 4, HookKind::callRedirection, hook, "Drivetrain::starterTorque"},
  };
}

}  // namespace kvl::hooks
