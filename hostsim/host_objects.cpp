#include "hostsim/host_objects.h"

#include <cstdlib>
#include <cstring>

#include "hostsim/host_layout.h"

namespace hostsim {

HostObjects& hostObjects() {
  static HostObjects objects = [] {
    HostObjects o{};
    o.game = static_cast<unsigned char*>(std::calloc(1, 8192));  // language word at +6852
    o.graphics = static_cast<unsigned char*>(std::calloc(1, 256));
    o.menuManager = static_cast<unsigned char*>(std::calloc(1, kMenuArrayOffset + 4 * 128));
    o.gameModes = static_cast<unsigned char*>(std::calloc(1, 4096));
    o.math = static_cast<unsigned char*>(std::calloc(1, 256));
    o.materialTable = static_cast<unsigned char*>(std::calloc(1, 16));
    auto* bytes = static_cast<unsigned char*>(std::malloc(256));
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i);
    const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(bytes));
    std::memcpy(o.materialTable + 4, &word, 4);
    return o;
  }();
  return objects;
}

std::int32_t gameState() {
  std::int32_t state = 0;
  std::memcpy(&state, hostObjects().game + kGameStateOffset, 4);
  return state;
}

void setGameState(std::int32_t state) { std::memcpy(hostObjects().game + kGameStateOffset, &state, 4); }

void recordModuleBases(std::uint32_t spindle, std::uint32_t railwise) {
  std::memcpy(hostObjects().graphics + kGraphicsSpindleOffset, &spindle, 4);
  std::memcpy(hostObjects().graphics + kGraphicsRailwiseOffset, &railwise, 4);
}

}  // namespace hostsim
