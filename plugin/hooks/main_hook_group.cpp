#include "plugin/hooks/main_hook_group.h"

#include <cstring>
#include <vector>

#include "plugin/hooks/car_data_rows.h"
#include "plugin/hooks/chassis_rows.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/hooks/host_code_rows.h"
#include "plugin/hooks/main_hook_order.h"
#include "plugin/hooks/physics_rows.h"
#include "plugin/hooks/power_rows.h"
#include "plugin/hooks/quazirra_menu_rows.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/events/hook_adapters.h"
#include "plugin/host/model/driving_path_hooks.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_lists.h"
#include "plugin/host/model/race_events.h"
#include "plugin/host/model/race_value_hold.h"
#include "plugin/host/model/replay_hooks.h"
#include "plugin/host/workers/input_workers.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/host/workers/step_batch_buffer.h"
#include "plugin/physics/hooks/clamp_to_root_hook.h"

namespace kvl::hooks {
namespace {

using host::hookAddress;
constexpr HookKind kCall = HookKind::callRedirection;

void* batchBufferBlock = nullptr;

// The listed-code test and the host's threshold test.
std::vector<HookRow> smallTestRows() {
  return {
      {0x4D60E0, 4, kCall, hookAddress(&host::isUnlistedCode), "isUnlistedCode"},
      {0x4D6112, 4, kCall, hookAddress(&host::isUnlistedCode), "isUnlistedCode"},
      {0x4CC3E6, 4, kCall, hookAddress(&host::hostThresholdHook), "hostThresholdHook"},
  };
}

// Replay recording, saving, loading and playback, then the driving-path routines.
std::vector<HookRow> replayAndPathRows() {
  return {
      {0x47F4C3, 4, kCall, hookAddress(&host::replayRecordFrame), "replayRecordFrame"},
#if QZR_HOST_ABI  // the register-preserving thunks exist in the 32-bit build only
      {0x49AAF5, 19, HookKind::embeddedCall, hookAddress(&replaySaveRuns), "replaySaveRuns"},
      {0x499BE5, 12, HookKind::embeddedCall, hookAddress(&replayLoadRuns), "replayLoadRuns"},
      {0x49A472, 12, HookKind::embeddedCall, hookAddress(&replayLoadRuns), "replayLoadRuns"},
#endif
      {0x47F4CE, 4, kCall, hookAddress(&host::replayRaiseFrame), "replayRaiseFrame"},
      {0x47F59C, 4, kCall, hookAddress(&host::replayRaiseFrame), "replayRaiseFrame"},
      {0x49A130, 5, HookKind::embeddedJump, hookAddress(&host::replayPlayFrame), "replayPlayFrame"},
      {0x4990E2, 4, kCall, hookAddress(&host::replayIsFinished), "replayIsFinished"},
      {0x4806C7, 4, kCall, hookAddress(&host::replayRestart), "replayRestart"},
      {0x48287A, 4, kCall, hookAddress(&host::replayRestart), "replayRestart"},
      {0x476101, 4, kCall, hookAddress(&host::directionAtHook), "directionAtHook"},
      {0x4AC8A0, 4, kCall, hookAddress(&host::directionAtHook), "directionAtHook"},
      {0x4E5572, 4, kCall, hookAddress(&host::directionAtHook), "directionAtHook"},
      {0x4E795C, 4, kCall, hookAddress(&host::directionAtHook), "directionAtHook"},
      {0x579614, 4, kCall, hookAddress(&host::directionAtHook), "directionAtHook"},
      {0x4760EB, 4, kCall, hookAddress(&host::positionAtHook), "positionAtHook"},
      {0x4E5560, 4, kCall, hookAddress(&host::positionAtHook), "positionAtHook"},
      {0x4E794A, 4, kCall, hookAddress(&host::positionAtHook), "positionAtHook"},
      {0x50B1F7, 4, kCall, hookAddress(&host::positionAtHook), "positionAtHook"},
      {0x48778F, 4, kCall, hookAddress(&host::positionAtIndexHook), "positionAtIndexHook"},
      {0x4EB286, 4, kCall, hookAddress(&host::nearestIndexHook), "nearestIndexHook"},
      {0x52CAEE, 4, kCall, hookAddress(&host::nearestIndexHook), "nearestIndexHook"},
      {0x5F9951, 4, kCall, hookAddress(&host::nearestIndexHook), "nearestIndexHook"},
  };
}

// The limit after the rewritten engine-map code at 0x4F871B. A root clamp, not a capped vector
// length: that code fills only +4 (EDX) and +8 (the float a call returned) of the record in ECX.
std::vector<HookRow> clampRows() {
  return {{0x4F873A, 4, kCall, hookAddress(&physics::clampToRootHook), "clampToRootHook"}};
}

// The host's calls of its per-object update 0x5693F0: each reaches the hook, which runs the
// host's update on the same object and gives its result back (the host's update must still run
// there, so the sites forward to it rather than to an update of the plugin's own).
std::vector<HookRow> objectUpdateRows() {
  std::vector<HookRow> rows;
  for (std::uint32_t site : {0x47FA5Eu, 0x480A8Fu, 0x542839u, 0x569474u, 0x5698A8u, 0x569CE5u, 0x569E29u, 0x5A29AAu, 0x5A2CF5u,
                             0x5A2D15u, 0x5A2D65u, 0x5A2D86u, 0x5A2DB7u, 0x5A2DEBu, 0x5A301Au, 0x5A4266u, 0x5A465Fu, 0x5A4F5Fu}) {
    rows.push_back({site, 4, kCall, hookAddress(&host::forwardingHook), "forwardingHook"});
  }
  return rows;
}

// The two front-end menu actions: the host calls through these addresses.
std::vector<HookRow> frontEndRows() {
  return {
      {0x5ACFDE, 4, HookKind::pluginAddress, hookAddress(&host::frontEndHookB), "frontEndHookB"},
      {0x5AD035, 4, HookKind::pluginAddress, hookAddress(&host::frontEndHookA), "frontEndHookA"},
  };
}

std::vector<HookRow> inputAndStepRows() {
  return {
      {0x4C6FB3, 4, kCall, hookAddress(&host::forceFeedbackHook), "forceFeedbackHook"},
      {0x4CC45E, 4, kCall, hookAddress(&host::inputPollHook), "inputPollHook"},
      {0x44A765, 4, kCall, hookAddress(&host::hostStepHook), "hostStepHook"},
      {0x44A76C, 4, kCall, hookAddress(&host::emptyHostCallback), "emptyHostCallback"},
      {0x48261A, 4, kCall, hookAddress(&host::raceValueHoldHook), "raceValueHoldHook"},
      {0x482695, 4, kCall, hookAddress(&host::raceValueHoldHook), "raceValueHoldHook"},
      {0x4829F2, 4, kCall, hookAddress(&host::raceValueHoldHook), "raceValueHoldHook"},
      {0x482E52, 4, kCall, hookAddress(&host::raceValueHoldHook), "raceValueHoldHook"},
  };
}

// The host's item code reads the step's item batch instead of filling its own.
std::vector<HookRow> batchHookRows() {
  return {
      {0x4BF713, 4, kCall, hookAddress(&host::noOpHook), "noOpHook"},
      {0x6057D3, 4, kCall, hookAddress(&host::returnOneHook), "returnOneHook"},
      {0x605814, 4, kCall, hookAddress(&host::batchPrimaryHook), "batchPrimaryHook"},
      {0x605579, 4, kCall, hookAddress(&host::batchSegmentsHook), "batchSegmentsHook"},
      {0x605588, 4, kCall, hookAddress(&host::returnZeroHook), "returnZeroHook"},
  };
}

// The host's item code gets a buffer of its own and the three sizes that go with it.
std::vector<HookRow> batchSizeRows() {
  return {
      {0x605135, 4, HookKind::literal, 4800000, "4800000"},
      {0x60514A, 4, HookKind::literal, 600000, "600000"},
      {0x60516D, 4, HookKind::literal, 50000, "50000"},
  };
}

std::vector<HookRow> batchBufferRows(void* buffer) {
  const auto address = reinterpret_cast<std::uintptr_t>(buffer);
  return {
      {0x60555C, 4, HookKind::pluginAddress, address, "batch buffer"},
      {0x60559E, 4, HookKind::pluginAddress, address, "batch buffer"},
      {0x6055DE, 4, HookKind::pluginAddress, address, "batch buffer"},
  };
}

// Host event raises, in patch order, with the adapter each site reaches (0: a site whose hook
// belongs to another feature).
struct EventSite {
  std::uint32_t site;
  int adapter;
};
const EventSite kEventSites[] = {
    {0x4CC42F, 3},  {0x48D24F, 0},  {0x4CC48E, 21}, {0x56E6EA, 23}, {0x5191A9, 16}, {0x5FDDF3, 16},
    {0x5FDC15, 26}, {0x53E317, 0},  {0x53F0DD, 0},  {0x51FEEC, 12}, {0x522377, 12}, {0x60D443, 12},
    {0x47F52A, 14}, {0x47F653, 14}, {0x4E9307, 7},  {0x4EF703, 15}, {0x4F149B, 4},  {0x6180AF, 4},
    {0x4E8FBE, 24}, {0x4E9BBA, 24}, {0x52C501, 11}, {0x4E4934, 2},  {0x4EA3B1, 2},  {0x4E977C, 22},
    {0x4E9C5C, 9},  {0x4EA1CC, 25}, {0x4EBC8E, 25}, {0x51FC9F, 25}, {0x5220DB, 25}, {0x52C6F6, 25},
    {0x5F9933, 25}, {0x60092A, 25}, {0x5F9A26, 5},  {0x4EA1F7, 1},  {0x5F9A4B, 1},  {0x5358A7, 27},
    {0x5FD8FB, 27}, {0x50855C, 13}, {0x5FDE62, 13}, {0x5232E3, 20}, {0x518D71, 17}, {0x4F212D, 6},
    {0x4E991B, 8},  {0x51FCEB, 19}, {0x52E025, 10}, {0x4919CE, 18},
};

std::vector<HookRow> eventRows() {
  std::vector<HookRow> rows;
  for (const EventSite& e : kEventSites) {
    if (e.site == 0x48D24F) {
      rows.push_back({e.site, 4, kCall, hookAddress(&host::inputEventHook), "inputEventHook"});
    } else if (e.adapter != 0) {
      rows.push_back({e.site, 4, kCall, host::adapterEntry(e.adapter), "event adapter"});
    }
  }
  return rows;
}

}  // namespace

void* batchBuffer() noexcept { return batchBufferBlock; }

std::shared_ptr<PatchGroup> buildMainHookGroup() {
  auto group = std::make_shared<PatchGroup>(kMainHookGroupName, kMainHookGroupId);
  addCarDataRows(*group);
  addRows(*group, engineMapRows());
  addEngineMapCodeRow(*group);
  addRows(*group, clampRows());
  addTyreCodeRows(*group);
  addRows(*group, vehiclePhysicsRows());
  addEngineCodeRow(*group);
  addRows(*group, ambientPressureRows());
  addHeatCodeRows(*group);
  addDamperCallRow(*group);
  addRows(*group, chassisPhysicsRows());
  addSpringJumpRows(*group);
  addMenuRows(*group);
  addSkidSoundScaleRows(*group);
  addMenuAddressRows(*group);
  addRows(*group, brakeRows());
  addMenuLayoutRows(*group);
  addRows(*group, springVariableRows());
  addRows(*group, chassisTickRows());
  addEffectsLimitRows(*group);
  addRows(*group, smallTestRows());
  addRows(*group, skidTrailRows());
  addSkidTrailCodeRows(*group);
  addRows(*group, starterRows());
  addRows(*group, idleBandRows());
  addEngineLimitRows(*group);
  addRows(*group, replayAndPathRows());
  addHostCodeChangeRows(*group);
  addRows(*group, controllerValueRows());
  addRows(*group, objectUpdateRows());
  addRows(*group, frontEndRows());
  addRows(*group, inputAndStepRows());
  addRows(*group, batchHookRows());
  if (batchBufferBlock == nullptr) {
    batchBufferBlock = host::hostRuntimeMalloc(kBatchBufferSize);
    if (batchBufferBlock != nullptr) std::memset(batchBufferBlock, 0, kBatchBufferSize);
  }
  if (batchBufferBlock != nullptr) {
    addRows(*group, batchSizeRows());
    addRows(*group, batchBufferRows(batchBufferBlock));
  } else {
    // Without the buffer the host keeps its own and its own sizes: nothing points at a null block.
    group->setText("No memory for the batch buffer");
  }
  addRows(*group, frameTimeStepRows());
  addRows(*group, eventRows());
  // The rows above come feature by feature; the group holds and applies them in the host sites'
  // order of kMainHookSiteOrder.
  return inMainHookOrder(*group);
}

}  // namespace kvl::hooks
