#pragma once
// The host code and data that the "QZR Car Setup" group changes besides its table slots: a setup
// routine at 0x5487D0, a conditional jump at 0x4906F2 (host pieces, hostsim/host_pieces.h), and
// the entry at 0x744ECC through which the setup code calls a routine (the host's own entry leads
// to 0x5487D0; each routine answers with its own address).
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> carSetupSiteEntries();

// Scenario step:
//   setupentry   the setup code calls through the entry at 0x744ECC: "host setup entry reaches
//                ADDRESS returns VALUE" (hex) and the balance
bool runCarSetupSiteStep(const std::string& step, std::istream& in);

}  // namespace hostsim
