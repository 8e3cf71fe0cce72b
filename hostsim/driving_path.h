#pragma once
// The host's driving path (host global 0x1659184) and the host's calls of its four path
// routines, which the plugin redirects.
#include <istream>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> drivingPathEntries();

// Scenario steps, after "path":
//   position K T        the position call (site 0x4760EB) on segment K at T
//   direction K T       the direction call (site 0x476101)
//   index F             the position-at-index call (site 0x48778F)
//   nearest F HINT      the nearest-index call (site 0x4EB286) for the path's own point at F
// Position, direction and nearest may name another of the host's sites of that call at the end.
// Each traces its result and whether it matches the host's reference curve ("ok" or "off").
// False for an unknown step.
bool runDrivingPathStep(std::istream& in);

}  // namespace hostsim
