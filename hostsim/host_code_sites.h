#pragma once
// Host instructions and data that the plugin's main hook group rewrites in place: immediates and
// float loads of the timing, menu and effects code, a float in the host's data, and one call
// that the plugin points at another host routine.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> hostCodeEntries();

// Scenario steps:
//   hostroutine             the call at 0x50F248; the routine it reached traces "host routine A"
//                           (the host's own) or "host routine 50bc90"
//   hostpressure SITE P B X D  the pressure call at SITE (hex) with four arguments
bool runHostCodeStep(const std::string& step, std::istream& in);

}  // namespace hostsim
