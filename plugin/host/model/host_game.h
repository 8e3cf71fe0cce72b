#pragma once
// The host's main game object (pointer in host global 0x7EAC48), read afresh on every access.
#include <cstdint>

namespace kvl::host {

class HostGame {
 public:
  static constexpr std::uint32_t kGlobal = 0x7EAC48u;
  static constexpr std::uint32_t kGameStateOffset = 1832;

  // The current game object; null while the host has none.
  static void* instance();
  // The host's current game state; 0 (INIT) while there is no game object.
  static std::int32_t gameState();
};

}  // namespace kvl::host
