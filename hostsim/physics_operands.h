#pragma once
// Host instructions of the car physics that load a float constant through a 32-bit absolute
// operand (fld dword [m32]); the plugin points them at its own variables. The host's own
// constant reads -1 so that a redirected operand shows.
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> physicsOperandEntries();

}  // namespace hostsim
