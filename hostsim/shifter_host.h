#pragma once
// The host's input manager (global 0x895320, empty until a shifter step) with its controller
// record: the item table at +36 whose items 13..20 are the H-pattern shifter's positions, the
// shifter mode at +592; and the shifter raise at site 0x4CC42F on source 44.
//   shifter ITEM VALUE FLAGS [blocked]   binds items 13..20 (item 14 not when ITEM is 0), gives
//                                        ITEM the analogue VALUE, blocks the car's shifter when
//                                        asked, then raises a controls record with FLAGS;
//                                        traces "host shifter record flags F gear G" as the
//                                        host's listener receives it
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> shifterEntries();
// Points the manager's global at the manager; returns its controller record (1024 bytes).
unsigned char* installInputManager();
bool runShifterStep(const std::string& step, std::istream& in);

}  // namespace hostsim
