#pragma once
// The host's own sound objects of the sound system: the two members at +4012 and +4228. Each
// object's table answers the flag test (+52) and traces its update (+84), mode (+88), stop (+92)
// and level (+96); the sound manager's table slot +32 tells whether it owns an object.
#include <cstdint>
#include <string>

namespace hostsim {

// Builds the two objects into the sound system (flag 2 on both, flag 128 on the first's).
void attachSystemSounds(unsigned char* soundSystem);
// The manager's +32 entry (thiscall, the sound; a byte result).
void* managerContainsEntry();
// "host sound objects +4012 kept|cleared +4228 kept|cleared": what the system's two members hold.
std::string systemSoundsLine(const unsigned char* soundSystem);

// Traces: "host sound K level L", "host sound K mode M", "host sound K update",
// "host sound K stop" (K is the member's offset, 4012 or 4228).

}  // namespace hostsim
