#pragma once
// The host's routine that applies a 32-byte controls record to a car (0x4E91F0), a member call
// on the car: traces "host car controls FIRST flags F gear G" (FIRST: the record's first byte),
// with " on another object" when it is not the current car.
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendCarControlsRows(std::vector<AddressEntry>& rows);

}  // namespace hostsim
