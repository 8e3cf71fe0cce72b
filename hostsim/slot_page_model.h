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

void appendSlotPageRows(std::vector<AddressEntry>& rows);

// Whether the current car's slot is empty: 1 or 0, or -1 while no slot list was made.
int slotListEmptiness(std::int32_t slot);

// Scenario steps (false for any other step):
//   slotlist N [EMPTY...]    the current car (5) has N saved-setup slots; the listed ones are empty
//   slotpage KIND ROW        the host builds its slot dialog through its call, sets the kind and
//                            the selected row, synchronises it (slot 2) and draws it (slot 3)
//   slotkey EVENT...         the dialog's input slot with each event (hex); traces the selection
bool runSlotPageStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
