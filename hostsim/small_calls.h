#pragma once
// Small host calls the plugin replaces: the settings-record accessor, a threshold test and the
// listed-code test.
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> smallCallEntries();

// Scenario steps:
//   settings SITE SUB       an object whose embedded settings record's sub-record word is SUB
//                           (hex); the accessor call at SITE (hex); traces which record came back
//   threshold VALUE         the threshold call (site 0x4CC3E6) on an object holding VALUE
//   code VALUE [SITE]       the listed-code call (site 0x4D60E0, or the other one at SITE)
bool runSmallCallStep(const std::string& step, std::istream& in);

}  // namespace hostsim
