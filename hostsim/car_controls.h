#pragma once
// The host's routine that applies a 32-byte controls record to a car (0x4E91F0), a member call
// on the car: traces "host car controls FIRST flags F gear G" (FIRST: the record's first byte),
// with " on another object" when it is not the current car.
//
// Scenario step:
//   controls FLAGS GEAR   the host raises a controls record (flags at +20, gear at +24) from the
//                         call at 0x48D24F on the input event source (6)
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendCarControlsRows(std::vector<AddressEntry>& rows);
bool runCarControlsStep(const std::string& step, std::istream& in);

}  // namespace hostsim
