#pragma once
// The host's per-object updates: 18 member calls (object in ECX, no stack argument) of the host's
// update routine at 0x5693F0, which marks the object it updated and gives back an int.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> objectUpdateEntries();

// Scenario step:
//   objectupdates  runs every site with an object of its own, then the first with a null
//                  object; traces per site "object update SITE marked by host via host|plugin
//                  result kept|lost" (or "... unchanged" / "... altered" when the host's routine
//                  did not run on it), then "object update null survived"
bool runObjectUpdateStep(const std::string& step, std::istream& in);

}  // namespace hostsim
