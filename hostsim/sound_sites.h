#pragma once
// The host sound code's places that the "Sound" group rewrites beyond its calls and values: the
// instructions with sizes, offsets and counts, single bytes and a comparison, the sites holding
// the addresses of two sound buffers, and the 56 places whose code uses a register that may be
// null, with the code after each and the padding where the plugin puts its stubs.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> soundSiteEntries();

// Scenario steps (after "sound"):
//   sound buffers        runs the 21 buffer-address sites; per buffer traces "host sound buffer
//                        sites N block SIZE zero" (or "... host's own", "... differ", "... dirty")
//   sound guards         runs each guarded place with its register zero and then set; traces
//                        "host guard SITE skipped when zero, ran when set" or what happened, and
//                        "host guards N as guarded"
//   sound compare X      runs the comparison at 0x4D60AB with X at [EBP+0x58] (against 1.0 at
//                        0x795E18); traces "host compare X pushed WORD at ADDRESS stack N fpu
//                        empty" (the word of +0x54 or +0x50, where the host went on)
//   sound bytes ADDR N   traces "host bytes ADDR b0 b1 ..." (hex)
bool runSoundSiteStep(const std::string& what, std::istream& in);

}  // namespace hostsim
