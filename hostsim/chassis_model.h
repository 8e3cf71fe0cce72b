#pragma once
// The chassis side of the host's car as its physics step calls it: each wheel's spring component
// and tyre object, the host routines around them, the call sites of the tyre heat terms and grip
// routines, the spring force, the surface profile, the suspension event, the force-feedback
// curve and the per-tick car record, the host's tick consumer, and the host instructions that
// read constants in the tyre and steering code.
//
// Scenario steps:
//   ffcurve SITE X K FLAG       the force-feedback call at SITE on the car with raw value X,
//                               sensitivity K and the flag at +492; traces "ffcurve SITE VALUE"
//   spring LENGTH VELOCITY PLATFORM PROGRESSIVE [SITE]
//                               the spring call (0x53E548, or the other one at SITE) on wheel
//                               0's spring component; the host's routine traces the block as it
//                               sees it; then traces the result, the outputs, the wheel's four
//                               values and whether the block came back as it was
//   tyregrip SITE SPEED SURFACE TYPE PERCENT
//                               the grip call at SITE on wheel 0's tyre with the tarmac, gravel
//                               and snow percentages all PERCENT, the camber sine 0; the host's
//                               routine runs the camber call inside it; traces the contact and
//                               tables
//   camber SINE                 the camber call (0x5362AB) on its own; traces the two grip tables
//                               after it
//   flexheat FLAG SINE FACTOR   the flex heat call (0x536724); traces +1256 and +968 after it
//   heatterm SITE A B [K]       a heat term call with the tyre in ESI; traces "heatterm SITE V"
//   profile PRIMARY SECONDARY BLEND X1 X2
//                               the surface profile call (0x53D49D) for a contact on two of the
//                               materials set up here (3: a wave, 5: flat); traces the heights
//   cartick                     the car tick call (0x4EA1B3) with the car in ESI; the host's
//                               consumer and a car-tick listener trace the wheel vectors
//   suspevent WHEEL             the suspension event call (0x53F386) with the wheel in ESI; a
//                               listener of source 20 traces the record's second vector
//   suspevent2 SITE WHEEL       the second suspension event call at SITE with the wheel in ESI; a
//                               listener of source 33 traces the record's four vectors from 16
//   controllervalue V           the controller value call (0x4CC554) on an input target with V
//   wheelprep                   puts out-of-range geometry, spring and bump-stop values into
//                               wheel 0 and its ranges, and a front high-speed rebound break of 2
//                               (range 0..1) and damping of 50 (range 0..100) into the setup
//                               values (for a following state 13)
//   wheelvalues WHEEL           traces the values the load pass sets for the wheel
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> chassisEntries();
bool runChassisStep(const std::string& step, std::istream& in);

}  // namespace hostsim
