#pragma once
// The host's audio side and a moving car: the audio object with its listener and sound system
// (28 sound levels), the current car with its wheels, engine data and drivetrain, the maths
// routine that carries vectors into the car's frame.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> audioEntries();

// Scenario steps:
//   drive N        N GAME frames with the car speeding up: the host's tick counter advances,
//                  the engine event is raised through its site (0x5191A9), the replay-frame
//                  source is raised and the frame's step call runs
//   carchange V    raises the car-changed source with the value V (-1: no car)
//   levels         traces the 28 host sound levels ("host levels v0 v1 ...")
//   daemon kill NAME    ends the daemon process of that executable name
//   daemon check NAME   traces "host daemon NAME running" or "host daemon NAME gone"
bool runAudioStep(const std::string& step, std::istream& in);

}  // namespace hostsim
