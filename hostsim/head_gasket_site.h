#pragma once
// The host's engine code where the "Head Gasket" group jumps out to its injected code: at
// 0x50D9C4 the two-byte `mov eax,edx`, then at 0x50D9C6 the code that uses XMM1 and EAX.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> headGasketSiteEntries();

// Scenario step:
//   gasket VALUE EDX   runs the host code from 0x50D9C4 with XMM1 = VALUE and EDX; traces
//                      "gasket xmm1 X eax A" as the code at 0x50D9C6 sees them
bool runHeadGasketStep(const std::string& step, std::istream& in);

}  // namespace hostsim
