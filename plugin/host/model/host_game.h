#pragma once
// The host's main game object (pointer in host global 0x7EAC48), read afresh on every access,
// the host's "active" word, and the host's physics step around which the plugin's worker runs.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

class HostGame {
 public:
  static constexpr std::uint32_t kGlobal = 0x7EAC48u;
  static constexpr std::uint32_t kMenuRendererOffset = 92;
  static constexpr std::uint32_t kSettingsRecordOffset = 112;
  static constexpr std::uint32_t kGameStateOffset = 1832;
  static constexpr std::uint32_t kLanguageOffset = 6852;
  static constexpr std::uint32_t kStageIdOffset = 1840;
  static constexpr std::uint32_t kCarIdOffset = 1844;
  static constexpr std::uint32_t kInputDecoderSlotOffset = 1848;

  // The current game object; null while the host has none.
  static void* instance();
  // The host's current game state; 0 (INIT) while there is no game object.
  static std::int32_t gameState();
  // The language index the host keeps at +6852 (0 without a game object).
  static std::int32_t language();
  static void setLanguage(std::int32_t language);
  // The fields below need a game object.
  static void* menuRenderer(void* game) noexcept;
  static void* settingsRecord(void* game) noexcept { return addressAt(game, kSettingsRecordOffset); }
  static std::int32_t stageId(const void* game) noexcept { return fieldAt<std::int32_t>(game, kStageIdOffset); }
  static std::int32_t carId(const void* game) noexcept { return fieldAt<std::int32_t>(game, kCarIdOffset); }
  static void* inputDecoderSlot(void* game) noexcept { return addressAt(game, kInputDecoderSlotOffset); }

  // Host 0x47C7D0, member call: the folder of the stage with that key (ends in a separator).
  static const char* stageFolder(void* game, std::int32_t stageKey);
  // Host 0x47CA70, member call: run after every physics step.
  static void finishStep(void* game);
};

// Host 0x4804F0, member call on the game object: the host's own physics step.
void hostRunStep(void* game, float stepSeconds, std::int32_t argument);

// The host's "active" word (host 0x7C0BBC): the workers tick and the input hook acts only while
// it is nonzero.
std::int32_t hostActiveFlag();

}  // namespace kvl::host
