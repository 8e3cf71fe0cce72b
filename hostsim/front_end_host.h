#pragma once
// The host's two front-end menu actions: the menu code takes their addresses from the immediates
// at 0x5AD035 (first action, host 0x5ABD30) and 0x5ACFDE (second action, host 0x5ABC60) and
// calls them; the
// game modes' preparation call (0x565430) and the front-end routine 0x582650.
//   frontend a|b        calls the action through its address; traces "frontend a|b result R"
//                       after the host's own traces ("host prepareMode M",
//                       "host front-end routine", "host front-end action a|b")
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> frontEndEntries();
bool runFrontEndStep(const std::string& step, std::istream& in);

}  // namespace hostsim
