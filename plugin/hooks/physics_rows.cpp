#include "plugin/hooks/physics_rows.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/physics/hooks/skid_trail_hooks.h"

namespace kvl::hooks {

std::vector<HookRow> skidTrailRows() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  return {
      {0x5E2FCD, 4, kCall, hookAddress(&physics::skidTrailEnd), "SkidTrailRing::endTrail"},
      {0x5E33D5, 4, kCall, hookAddress(&physics::skidTrailMoveLast), "SkidTrailRing::moveLast"},
      {0x5E344D, 4, kCall, hookAddress(&physics::skidTrailAddPoint), "SkidTrailRing::addPoint"},
  };
}

}  // namespace kvl::hooks
