#pragma once
// The host's own sound objects of the sound system, one per level slot: the sound system keeps
// 216-byte per-slot records from +124, each starting with its sound object's pointer. Each
// object's table answers the flag test (+52) and traces its update (+84), mode (+88), stop (+92)
// and level (+96); the sound manager's table slot +32 tells whether it owns an object.
#include <cstdint>

namespace hostsim {

// Builds the 28 objects into the sound system's records. Every object has flag 2 except slot 1's;
// slots 0 and 13 also have flag 128; the manager owns every object except slot 2's.
void attachLevelSounds(unsigned char* soundSystem);
// The manager's +32 entry (thiscall, the sound; a byte result).
void* managerContainsEntry();

// Traces: "host sound K level L", "host sound K mode M", "host sound K update",
// "host sound K stop" (K is the object's level slot).

}  // namespace hostsim
