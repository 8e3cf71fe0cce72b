#include "plugin/hooks/game_stuff_group.h"

#include <iterator>

#include "plugin/hooks/patch_rows.h"
#include "plugin/host/model/setup_slot_dialogs.h"

namespace kvl {

using host::hookAddress;

std::shared_ptr<PatchGroup> buildGameStuffGroup() {
  // Rows in patch order; the features that are not built yet add theirs as they arrive.
  static const PatchRow rows[] = {
      {0x5610E9, 4, PatchKind::callRedirection, hookAddress(&host::saveSlotMenuHook)},
      {0x5610D5, 4, PatchKind::callRedirection, hookAddress(&host::loadSlotMenuHook)},
  };
  auto group = std::make_shared<PatchGroup>("Game Stuff", 0);
  addPatchRows(*group, rows, std::size(rows));
  return group;
}

}  // namespace kvl
