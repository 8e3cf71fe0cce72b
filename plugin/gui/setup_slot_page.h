#pragma once
// The host's setup-slot dialog with the plugin's drawing and list navigation: ten lines with the
// slot number, the setup's name and the slot's second text; when loading, the car's default and
// current setups come first; the up and down keys skip the slots that cannot be chosen.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

struct SetupSlotPage {
  static constexpr std::uint32_t kHostTable = 0x74702Cu;
  // Takes the place of the host's constructor call for its dialog (the call at 0x559213): the
  // host constructor runs, then the dialog gets the page's table.
  static void* QZR_THISCALL construct(void* dialog, std::int32_t value) noexcept;
  // The second entry: the dialog's base part initialised first, then the constructor above.
  // Nothing refers to it.
  static void* QZR_THISCALL constructOnFreshMemory(void* dialog, std::int32_t value) noexcept;
  static std::int32_t QZR_THISCALL onInput(void* dialog, std::int32_t event, std::int32_t data) noexcept;  // slot 1
  static void QZR_THISCALL syncSelection(void* dialog, void* renderer) noexcept;                         // slot 2
  static void QZR_THISCALL draw(void* dialog, void* renderer, float x, float y) noexcept;                 // slot 3
  static const void* table();
};

}  // namespace kvl::gui
