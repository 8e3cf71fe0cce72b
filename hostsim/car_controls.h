#pragma once
// The host's routine that applies a 32-byte controls record to a car (0x4E91F0), a member call
// on the car: traces "host car controls FIRST flags F gear G value V extra E bytes HEX" (FIRST:
// the record's first byte; V the float at +16, E the word at +28, HEX its first 16 bytes), with
// " on another object" when it is not the current car.
//
// Scenario steps:
//   controls FLAGS GEAR   the host raises a controls record (flags at +20, gear at +24) from the
//                         call at 0x48D24F on the input event source (6)
//   rawinput FLAGS VALUE WORD GEARBYTE   the host raises a raw controller event on its source 3:
//                         flags at +0, WORD at +4, the float VALUE at +20, the bytes 0x18 to
//                         0x27 at +24 to +39 (each its own offset), GEARBYTE at +40
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendCarControlsRows(std::vector<AddressEntry>& rows);
bool runCarControlsStep(const std::string& step, std::istream& in);

}  // namespace hostsim
