#include "plugin/hooks/physics_rows.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/physics/hooks/frame_time_step_hook.h"
#include "plugin/physics/hooks/skid_trail_hooks.h"

namespace kvl::hooks {

const std::uint32_t kFrameTimeStepSites[] = {0x48263B, 0x4826A1, 0x482729, 0x4827BE,
                                             0x4829A4, 0x482A12, 0x482AD4, 0x482B4B};

std::vector<HookRow> skidTrailRows() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  return {
      {0x5E2FCD, 4, kCall, hookAddress(&physics::skidTrailEnd), "SkidTrailRing::endTrail"},
      {0x5E33D5, 4, kCall, hookAddress(&physics::skidTrailMoveLast), "SkidTrailRing::moveLast"},
      {0x5E344D, 4, kCall, hookAddress(&physics::skidTrailAddPoint), "SkidTrailRing::addPoint"},
  };
}

std::vector<HookRow> frameTimeStepRows() {
  std::vector<HookRow> rows;
  for (std::uint32_t site : kFrameTimeStepSites) {
    rows.push_back({site, 4, HookKind::callRedirection, host::hookAddress(&physics::frameTimeStepHook), "frameTimeStepHook"});
  }
  return rows;
}

}  // namespace kvl::hooks
