#pragma once
// The host code that the "Game Stuff" changes land in: the menu code's condition codes and short
// jumps, the immediates of its placement floats and addresses, a jump table, the entry-key
// comparison routine with the key function it calls, the frame-time code that asks for the step
// time and count, and the menu code's screen height.
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

std::vector<AddressEntry> gameStuffEntries();

// Scenario steps (sites in hex; the condition codes, item counts and arithmetic run as host
// pieces: "branch SITE A B" and "hostcode SITE", hostsim/host_pieces.h):
//   pushes SITE          runs the two pushes whose first immediate is at SITE; traces both floats
//   menujump N           the menu code jumps through entry N (0 to 4) of its table at 0x57F2B0;
//                        traces "menujump N reaches PLACE" (the place answers with its address)
//   keycompare A B       calls the routine at 0x5B0C94 directly on entries whose keys are A and B
//                        (unsigned decimal); traces the result, the stack words the caller takes
//                        back and whether EBX, ESI and EDI were kept
//   steptime             runs the frame-time code twice, 30 ms apart; traces the step time and
//                        the step count the second run kept, and whether they agree
bool runGameStuffStep(const std::string& step, std::istream& in);

}  // namespace hostsim
