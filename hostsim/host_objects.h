#pragma once
// The host objects behind the painted globals, laid out as the host keeps them.
#include <cstdint>

namespace hostsim {

struct HostObjects {
  unsigned char* game;         // game state at +1832
  unsigned char* graphics;     // module load addresses at +20 and +28
  unsigned char* menuManager;  // menu pointers from +120, all null here
  unsigned char* gameModes;
  unsigned char* math;
  unsigned char* materialTable;  // object whose word +4 points at a 256-byte table
};

HostObjects& hostObjects();

std::int32_t gameState();
void setGameState(std::int32_t state);
// Records the two modules' load addresses in the graphics object.
void recordModuleBases(std::uint32_t spindle, std::uint32_t railwise);

}  // namespace hostsim
