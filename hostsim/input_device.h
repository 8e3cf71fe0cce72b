#pragma once
// The host's input device (global 0x8951D0) behind the controller record's first input item, with
// the force-feedback object the device sends its force to, its readiness test (0x4C6F70), its
// steering value (0x4C5F90), and the host's control flags (0x5403E0).
//   inputtarget GAIN STEER FLAG READY   installs the input manager; the controller record gets
//                                       gain GAIN (+32) and, as item 0's control, the device,
//                                       whose controller value is STEER; control flag 11 reads
//                                       FLAG; the device is ready when READY is 1
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> inputDeviceEntries();
bool runInputDeviceStep(const std::string& step, std::istream& in);

}  // namespace hostsim
