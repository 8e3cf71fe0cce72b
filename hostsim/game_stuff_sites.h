#pragma once
// The host code that the "Game Stuff" changes land in: the menu code's condition codes and short
// jumps, the immediates of its placement floats and addresses, a jump table, the entry-key
// comparison routine with the key function it calls, and the frame-time code that asks for the
// step time and count.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> gameStuffEntries();

// Scenario steps (sites in hex):
//   branch SITE A B      runs the compare-and-branch code around the jump at SITE with A and B
//                        compared; traces "branch SITE A B taken" or "... not taken"
//   pushes SITE          runs the two pushes whose first immediate is at SITE; traces both floats
//   hostcode SITE        runs the host code around SITE; traces the value it leaves in EAX
//   words SITE N         traces N 32-bit words of host data from SITE
//   keycompare A B       calls the routine at 0x5B0C94 directly on entries whose keys are A and B
//                        (unsigned decimal); traces the result
//   steptime             runs the frame-time code twice, 30 ms apart; traces the step time and
//                        the step count the second run kept, and whether they agree
bool runGameStuffStep(const std::string& step, std::istream& in);

}  // namespace hostsim
