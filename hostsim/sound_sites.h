#pragma once
// The host sound code's places that the "Sound" group rewrites beyond its calls and values: the
// instructions with sizes, offsets and counts, single bytes and a comparison, the sites holding
// the addresses of two sound buffers, and the 56 places whose code uses a register that may be
// null, with the code after each and the padding where the plugin puts its stubs; around the
// changed bytes, the host's code that runs through them.
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

// Scenario step (with or without the plugin):
//   soundcode SITE EAX   runs the host code through the changed bytes at SITE (hex) with EAX
//                        (decimal or 0x hex) and ESI at a block of EE bytes; traces "host code
//                        SITE ran|skipped eax X edx Y stack N" (ran: on after the place; skipped:
//                        where its jump leads), with " stored W" when it stored W at ESI+0x88.
//                        At 4D60EC (the frame word after the comparison, EBP at a frame whose
//                        +0x50 holds 50505050 and +0x54 54545454): "host code 4d60ec pushed W"
bool runSoundCodeStep(const std::string& step, std::istream& in);

}  // namespace hostsim
