#pragma once
// Host calls the plugin replaces with hooks of its host model: the race value update's four
// calls and the call right after the frame's physics step.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> replacedCallEntries();

// Scenario steps:
//   racevalue SITE V   the race value update call at SITE (hex) on the race object with V; the
//                      host update stores V at +320; traces "race value X", X read afterwards
//   framecallback      the call after the frame's physics step (site 0x44A76C) alone
bool runReplacedCallStep(const std::string& step, std::istream& in);

}  // namespace hostsim
