#include "plugin/hooks/game_stuff_group.h"

#include "plugin/gui/setup_file_menus.h"
#include "plugin/gui/setup_slot_page.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/race_events.h"
#include "plugin/host/model/setup_slot_dialogs.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildGameStuffGroup() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  auto group = std::make_shared<PatchGroup>("Game Stuff", 0);
  // Rows in patch order; the features that are not built yet add theirs as they arrive.
  addRows(*group, {
                      {0x559214, 4, kCall, hookAddress(&gui::SetupSlotPage::construct), "SetupSlotPage"},
                      {0x5610E9, 4, kCall, hookAddress(&host::saveSlotMenuHook), "saveSlotMenuHook"},
                      {0x5610D5, 4, kCall, hookAddress(&host::loadSlotMenuHook), "loadSlotMenuHook"},
                      {0x563B32, 4, kCall, hookAddress(&gui::SetupFileListMenu::construct), "SetupFileListMenu"},
                      {0x56AA84, 4, kCall, hookAddress(&gui::SetupFileChooserMenu::construct), "SetupFileChooserMenu"},
                      {0x4B6628, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x4D57DE, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x4D585A, 4, kCall, hookAddress(&host::settingsRecordHook), "settingsRecordHook"},
                      {0x478981, 4, kCall, hookAddress(&host::raceEventCatchUpHook), "raceEventCatchUpHook"},
                  });
  return group;
}

}  // namespace kvl::hooks
