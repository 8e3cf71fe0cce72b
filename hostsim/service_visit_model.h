#pragma once
// The host's rally service park during a visit: the service object (global 0x7D2AF4) with its
// part list and counters, the service clock (global 0x7D2AF8), the message box (global 0x7D2344)
// that answers as the scenario says, the menu manager's way back, and the service screen's host
// side calling its items: the panel's input slot and the timer's frame slot.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendServiceVisitRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   servicevisit PARTS ELAPSED WORKTIME   a visit starts: working, not done, with that many parts,
//                                         that elapsed count and that work time
//   serviceclock REMAINING                the clock's remaining seconds
//   servicelimit N                        the service panel's limit
//   servicekey EVENT VALUE                the screen passes an input event (hex) to the panel's
//                                         slot 1
//   servicetick SECONDS                   the screen's frame: the timer's slot 2 with the frame time
//   messageanswer A                       the open message box closes with answer A
//   serviceshow                           traces the visit's state
// Traces: "host service key result R stack words left N", "host service tick stack words left N",
// "host service part close I", "host service finish", "host message N user none|float V",
// "host message answer A", "host menu back W", "host service panel input EVENT VALUE",
// "host service done D working W limit L clock period P remaining R".
bool runServiceVisitStep(const std::string& step, std::istream& arguments);

// The service object behind its global.
unsigned char* serviceObject();

}  // namespace hostsim
