#include "plugin/hooks/quazirra_group.h"

#include <iterator>

#include "plugin/hooks/patch_rows.h"
#include "plugin/hooks/quazirra_menu_rows.h"
#include "plugin/host/model/driving_path_hooks.h"
#include "plugin/host/model/replay_hooks.h"

namespace kvl {
namespace {

using host::hookAddress;

// Rows in patch order; the features that are not built yet add theirs as they arrive.
const PatchRow* rows(std::size_t& count) {
  static const PatchRow table[] = {
      // Replay.
      {0x47F4C3, 4, PatchKind::callRedirection, hookAddress(&host::replayRecordFrame)},
#if QZR_HOST_ABI  // the register-preserving thunks exist in the 32-bit build only
      {0x49AAF5, 19, PatchKind::embeddedCall, hookAddress(&replaySaveRuns)},
      {0x499BE5, 12, PatchKind::embeddedCall, hookAddress(&replayLoadRuns)},
      {0x49A472, 12, PatchKind::embeddedCall, hookAddress(&replayLoadRuns)},
#endif
      {0x47F4CE, 4, PatchKind::callRedirection, hookAddress(&host::replayRaiseFrame)},
      {0x47F59C, 4, PatchKind::callRedirection, hookAddress(&host::replayRaiseFrame)},
      {0x49A130, 5, PatchKind::embeddedJump, hookAddress(&host::replayPlayFrame)},
      {0x4990E2, 4, PatchKind::callRedirection, hookAddress(&host::replayIsFinished)},
      {0x4806C7, 4, PatchKind::callRedirection, hookAddress(&host::replayRestart)},
      {0x48287A, 4, PatchKind::callRedirection, hookAddress(&host::replayRestart)},
      // Driving-path interpolation.
      {0x476101, 4, PatchKind::callRedirection, hookAddress(&host::directionAtHook)},
      {0x4AC8A0, 4, PatchKind::callRedirection, hookAddress(&host::directionAtHook)},
      {0x4E5572, 4, PatchKind::callRedirection, hookAddress(&host::directionAtHook)},
      {0x4E795C, 4, PatchKind::callRedirection, hookAddress(&host::directionAtHook)},
      {0x579614, 4, PatchKind::callRedirection, hookAddress(&host::directionAtHook)},
      {0x4760EB, 4, PatchKind::callRedirection, hookAddress(&host::positionAtHook)},
      {0x4E5560, 4, PatchKind::callRedirection, hookAddress(&host::positionAtHook)},
      {0x4E794A, 4, PatchKind::callRedirection, hookAddress(&host::positionAtHook)},
      {0x50B1F7, 4, PatchKind::callRedirection, hookAddress(&host::positionAtHook)},
      {0x48778F, 4, PatchKind::callRedirection, hookAddress(&host::positionAtIndexHook)},
      {0x4EB286, 4, PatchKind::callRedirection, hookAddress(&host::nearestIndexHook)},
      {0x52CAEE, 4, PatchKind::callRedirection, hookAddress(&host::nearestIndexHook)},
      {0x5F9951, 4, PatchKind::callRedirection, hookAddress(&host::nearestIndexHook)},
  };
  count = std::size(table);
  return table;
}

}  // namespace

std::shared_ptr<PatchGroup> buildQuazirraGroup() {
  auto group = std::make_shared<PatchGroup>("Quazirra", 2);
  addMenuRows(*group);
  std::size_t count = 0;
  const PatchRow* table = rows(count);
  addPatchRows(*group, table, count);
  return group;
}

}  // namespace kvl
