#pragma once
// The host's drivetrain solver as its clutch step and the tyre heat exchange see it: one solver
// object with its static parameters and dynamic state, the stick/slip call site, the host's
// synchronised and free steps, and the two call sites of the heat exchange routine.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> drivetrainCouplingEntries();

// Scenario steps:
//   clutch T L R DT SPEED SLIP SYNC ENGAGED GEAR
//        the stick/slip call (site 0x50A34B) with torque T, limit L, ratio R and step DT on a
//        solver whose engine speed, slip sign, synchronised and engaged words and gear are given
//        (gear ratio 3, inertias 0.2 and 0.05); traces "clutch output O speed S slip N sync M"
//   wheellock SITE WHEEL TORQUE DIRECTION
//        a per-wheel wheel-lock call (axle output or lock test) on a four-wheel solver with the
//        engine torque given and WHEEL's direction; traces the wheel's words
//   solvelocks YES
//        the wheel-lock pass loop (site 0x50A10C) with wheel 0 locked the wrong way and wheel 1
//        the right way, the host's axle test answering yes YES times
//   contact
//        the tyre contact call (site 0x535484); traces its result and the two clamped floats
//   heat SITE A B K AREA
//        the heat exchange call at SITE (hex); traces "heat SITE VALUE"
bool runDrivetrainCouplingStep(const std::string& step, std::istream& in);

}  // namespace hostsim
