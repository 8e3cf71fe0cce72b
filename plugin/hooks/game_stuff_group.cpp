#include "plugin/hooks/game_stuff_group.h"

#include <iterator>

#include "plugin/hooks/patch_rows.h"
#include "plugin/host/model/race_events.h"

namespace kvl {

std::shared_ptr<PatchGroup> buildGameStuffGroup() {
  using host::hookAddress;
  // Rows in patch order; the features that are not built yet add theirs as they arrive.
  static const PatchRow rows[] = {
      // The settings-record accessor and the per-frame race-event update.
      {0x4B6628, 4, PatchKind::callRedirection, hookAddress(&host::settingsRecordHook)},
      {0x4D57DE, 4, PatchKind::callRedirection, hookAddress(&host::settingsRecordHook)},
      {0x4D585A, 4, PatchKind::callRedirection, hookAddress(&host::settingsRecordHook)},
      {0x478981, 4, PatchKind::callRedirection, hookAddress(&host::raceEventCatchUpHook)},
  };
  auto group = std::make_shared<PatchGroup>("Game Stuff", 0);
  addPatchRows(*group, rows, std::size(rows));
  return group;
}

}  // namespace kvl
