#pragma once
// The host's key-input event source (18): the record it raises for a typed character or an erase
// request, as its text fields read it.
#include <istream>
#include <string>

namespace hostsim {

// Scenario step (false for any other step):
//   keyrecord C|erase    raises source 18 with a 96-byte record: the character C at +80, or an
//                        erase request (+12 = 1, +16 = 1); +36 starts at 1
// Trace: "host key record listeners N erase words A B C" (the words at +12, +16 and +36 after
// the raise).
bool runKeyInputStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
