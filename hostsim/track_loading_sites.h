#pragma once
// The module and host code that the "Track Loading" group changes in place: single bytes and a
// five-byte instruction of Spindle3D.DLL, a three-byte instruction and two conditional jumps of
// Railwise.DLL (host pieces, hostsim/host_pieces.h), and the two places, in the executable and
// again in Spindle3D.DLL, where the code takes ECX from the object in EAX and goes on 6 bytes
// later (the group's stubs go into the padding at 0x417820 and 0x417830, and 0x60091E60 and
// 0x60091E70).
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> trackLoadingSiteEntries();

// Scenario step:
//   sourceword SITE   runs the place at SITE (41761e, 4176be, 60091c5e or 60091cfe) with EAX at an
//                     object holding 11111111 and 22222222 and EDX = 100: "host source word SITE
//                     ecx X edx Y" (hex) and the balance. The first place leaves in EDX the EBX
//                     its code cleared, the second adds 0x74 to EDX.
bool runTrackLoadingSiteStep(const std::string& step, std::istream& in);

}  // namespace hostsim
