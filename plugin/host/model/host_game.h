#pragma once
// The host's main game object (pointer in host global 0x7EAC48), read afresh on every access.
#include <cstdint>

namespace kvl::host {

class HostGame {
 public:
  static constexpr std::uint32_t kGlobal = 0x7EAC48u;
  static constexpr std::uint32_t kGameStateOffset = 1832;
  static constexpr std::uint32_t kLanguageOffset = 6852;

  // The current game object; null while the host has none.
  static void* instance();
  // The host's current game state; 0 (INIT) while there is no game object.
  static std::int32_t gameState();
  // The language index the host keeps at +6852 (0 without a game object).
  static std::int32_t language();
  static void setLanguage(std::int32_t language);
};

}  // namespace kvl::host
