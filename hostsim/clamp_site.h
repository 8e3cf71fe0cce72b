#pragma once
// The host's engine-map code around the limit call at 0x4F8739: the host call at 0x4F8716 that
// leaves a float in XMM0, the 30 bytes from 0x4F871B that pass it on with the argument, the call
// (operand 0x4F873A) to the host's limit routine, and the code going on at 0x4F873E.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> clampSiteEntries();

// Scenario step:
//   clamp RADICAND ARGUMENT  runs the code from 0x4F8716 with the host call leaving RADICAND in
//                            XMM0 and ARGUMENT at [esp+0Ch]; traces "clamp R A gives X" and
//                            "clamp registers kept" (or "clamp registers or stack changed"); the
//                            host's own routine traces "host clamp routine"
bool runClampSiteStep(const std::string& step, std::istream& in);

}  // namespace hostsim
