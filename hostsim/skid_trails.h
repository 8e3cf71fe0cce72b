#pragma once
// The host's skid trail ring (256 points of 64 bytes, then the head and tail slot pointers) and
// the three call sites of its operations in the surface-effects update.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> skidTrailEntries();

// Scenario steps, on one ring that starts empty:
//   skid add X WIDTH    a point at (X, 0, 0) with its second edge WIDTH to the side (site 0x5E344D)
//   skid end            ends the trail (site 0x5E2FCD); traces the flag it returned
//   skid move X WIDTH   moves the newest point (site 0x5E33D5)
//   skid show           traces the point count, the newest point's texture coordinate and the
//                       opacities of the oldest and newest points
bool runSkidTrailStep(std::istream& in);

}  // namespace hostsim
