#pragma once
// The game object's input record (+1848): its word +44 is the routine the host calls, as a member
// call on a controller object with a pointer to the pointer to one raw controller record, to
// decode that record into the controller. The host installs its own decoder there (0x48D130).
//
// Scenario step (runs with or without the plugin):
//   decodeinput B0 .. B8   the host decodes the nine bytes (hex) into a controller object whose
//                          words all start as a pattern, through the routine its input record
//                          holds; traces "host decode stack words left N registers kept|changed",
//                          then "host controller +72 I +76 I +80 I +92 F +96 F +100 F +104 F
//                          +108 F +112 B, N other words changed" ("-" for a word still holding
//                          its pattern). The host's own decoder traces "host decoder ran on the
//                          controller, record first byte B" (or "on another object").
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendInputDecoderRows(std::vector<AddressEntry>& rows);
bool runInputDecoderStep(const std::string& step, std::istream& in);

}  // namespace hostsim
