#pragma once
// Host instructions and data that the plugin's main hook group rewrites in place: immediates and
// float loads of the timing, menu and effects code, single bytes, five- and seven-byte
// instructions and conditional jumps (host pieces, hostsim/host_pieces.h), an object check, a
// test before a jump, a call through an object's table, a float in the host's data, and one call
// that the plugin points at another host routine.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> hostCodeEntries();

// Scenario steps:
//   hostroutine             the call at 0x50F248; the routine it reached traces "host routine A"
//                           (the host's own) or "host routine 50bc90"
//   hostpressure SITE P B X D  the pressure call at SITE (hex) with four arguments
//   objectcheck W E         the object check at 0x5E2C8D with the object's word +0x3E8 = W and
//                           EDI = E (hex): "host object check W E jumped|went on ecx X stored
//                           nothing|+3ec V +10 V" and the balance
//   objectword Z W          the test at 0x60DA5C with EAX = Z and the word +0x78 of the object in
//                           ESI = W (hex): "host object word Z W goes on at 60da60|60da69"
//   slotcall                the call through the table slot +0x0C at 0x47CAD5 (the slot answers 40):
//                           "host slot +0c entered from 47cad8|from the code's caller result N"
//   timefloat               the timing code reads its float at 0x746828: "host time float V"
bool runHostCodeStep(const std::string& step, std::istream& in);

}  // namespace hostsim
