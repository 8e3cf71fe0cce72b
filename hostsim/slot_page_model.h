#pragma once
// The host's setup-slot dialog as its own constructor builds it (0x57DF40, table 0x74702C),
// reached from the host's call at 0x559213, and the current car's list of saved setups
// (0x49DFA0) that the dialog lists.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

// The host's setup-slot dialog: table +0, kind +8, heading record +12, selected row +24, row
// count +28, status +32, button label records +36, +48, +60, list widget +72.
constexpr std::uint32_t kSlotDialogSize = 76;

void appendSlotPageRows(std::vector<AddressEntry>& rows);

// Lays out a setup-slot dialog as the host's constructor leaves it: the host's table, kind 0, no
// heading, row 0 of 0 rows, ready (status 0), the three button labels from their keys, the list
// widget.
void layOutSlotDialog(unsigned char* dialog, const char* const labels[3]);

// Whether the current car's slot is empty: 1 or 0, or -1 while no slot list was made.
int slotListEmptiness(std::int32_t slot);

// Scenario steps (false for any other step):
//   slotlist N [EMPTY...]    the current car (5) has N saved-setup slots; the listed ones are empty
//   slotpage KIND ROW        the host builds its slot dialog through its call, sets the kind and
//                            the selected row, synchronises it (slot 2) and draws it (slot 3)
//   slotkey EVENT...         the dialog's input slot with each event (hex); traces the selection
bool runSlotPageStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
