#pragma once
// The host's loading of a stage's animation data: the loader object with its parsed entries,
// the loader at 0x479020 and its call at 0x47B010, and the sites of the "Load Data" constants.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

void appendAnimDataRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   animdata KIND [FAIL] V...    the host builds DLS data of KIND (clean, damaged, badmagic, or
//                                farset: its set header past the data) in a block of its runtime
//                                heap, gives its loader object one parsed entry per value V (the
//                                float at byte 20), and runs its call of the loader under its own
//                                handler of processor faults. FAIL: raise (the loader raises a
//                                host exception from inside a try block that does not take it),
//                                selfcatch (its own try block takes it: "host anim data caught
//                                its own exception"), fault (it writes through a null pointer).
//                                Traces "host caught a processor fault in its loading" when the
//                                fault reached the host's handler, and "host handler chain left
//                                changed" when the call left registrations on the chain.
//   animdata file PATH [V...]    the same with the DLS file PATH of the game folder as the data
//                                Traces "host anim data ids N channels R A" from the loader and
//                                "host anim entries V..." after the call.
//   showfile NAME                traces each line of the game folder's file NAME as
//                                "file NAME: LINE" (or "file NAME missing")
bool runAnimDataStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
