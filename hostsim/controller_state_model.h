#pragma once
// The host objects that the plugin controller's game-state handler writes in the loading and
// track states: the entry list behind Railwise.DLL's global 0x6106C484 (an object whose first
// word leads to a second one, whose words +0x14 and +0x18 are the begin and end of an array of
// entry pointers, each entry's mark at +0x20), the game object's settings record at +112, the
// replay object's float at +1620232 and the audio stage's word at +540. Each is filled with
// distinct sentinel words, so a step can tell which words the plugin wrote.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> controllerStateEntries();

// Scenario steps, after "loading":
//   marks          traces "railwise entry marks M0 M1 M2 M3 rest kept|changed" (the four
//                  entries' marks, painted -1 7 -1 -2; rest: every other painted byte of the
//                  list)
//   settings       traces "settings record +660 HEX rest kept|changed" (the word as eight hex
//                  digits; rest: record +600 to +720 but for that word)
//   replaystep F   stores the float F at +1620232 of the replay object
//   stage          the first time fills the audio stage (600 bytes) with sentinel words, keeping
//                  its word +540; traces "audio stage +540 V rest kept|changed"
bool runControllerStateStep(const std::string& step, std::istream& in);

}  // namespace hostsim
