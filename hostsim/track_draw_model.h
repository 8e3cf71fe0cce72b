#pragma once
// Spindle3D.DLL's geometry reload with the cached geometry references it leaves in the host's
// render lists and its own two object lists, its object-id lookup, and its drawing routine that
// changes the renderer device's values 40 and 41.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendTrackDrawRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   reloadgeometry N   the geometry table gets N entries and one cached reference of each kind
//                      (A and B in the render lists, C and D in the module's lists, indices 2
//                      and 5); then the module's reload call (0x600525BD, object in ESI).
//                      Traces "host geometry reload" and "host refs A S F S2 B S F S2 I C S F S2
//                      FLAG I FLAG I D FLAG I", then "inline 600525bd ..." with the registers
//   objectindex ID N   the module's call at 0x600704C0 looks up object ID on an object with a
//                      table of N entries: "host object index ID -> RESULT" (the module's own
//                      lookup traces "host object lookup")
//   drawcalls [none]   the renderer gets a device with values 40 = 1 2 3 4 and 41 = 5 6 7 8 (none:
//                      no device), then the six drawing calls run; the routine sets both values
//                      to its argument ("host draw call ARG"); after each call "host device 40
//                      ... 41 ..."
bool runTrackDrawStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
