#pragma once
// The host's setup-slot dialogs (menus 108 load, 109 save) with the objects their confirm actions
// reach: the setup store, the stage table and manager, the setup files, the slot store, the menu
// manager's page opening.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kSaveSlotMenuSite = 0x5610E9;
constexpr std::uint32_t kLoadSlotMenuSite = 0x5610D5;

void appendSlotDialogRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   slotmenu save|load                 the host opens that slot menu through its call site and
//                                      traces the dialog's kind, labels and item 0's actions
//   slotconfirm save|load ROW STATUS SURFACE EMPTY   the dialog's selected row and status, the
//                                      selected stage's surface, whether the setup slot is empty;
//                                      then the host runs the action of item id 4 and traces it
//   slotsurface SURFACE                the selected stage's surface
bool runSlotDialogStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
