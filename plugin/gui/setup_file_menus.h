#pragma once
// The host's two menus of saved car-setup files, drawn by the plugin with a 20-row window that
// scrolls with the cursor: the file list, and the chooser whose first row is the current entry.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

struct SetupFileListMenu {
  static constexpr std::uint32_t kHostTable = 0x74C50Cu;
  // Takes the place of the host's constructor call: a 12-byte value by value and three words
  // that are not used; the host constructor gets the value with 1, 0 and 20.
  static void* QZR_THISCALL construct(void* list, std::uint32_t value0, std::uint32_t value1, std::uint32_t value2,
                                      std::uint32_t, std::uint32_t, std::uint32_t) noexcept;
  // The second entry: the host object's base part and members initialised first, then the
  // constructor above. Nothing refers to it.
  static void* QZR_THISCALL constructOnFreshMemory(void* list, std::uint32_t value0, std::uint32_t value1,
                                                   std::uint32_t value2, std::uint32_t a, std::uint32_t b,
                                                   std::uint32_t c) noexcept;
  // Slot 3: draws the menu with the host menu renderer at (x, y).
  static void QZR_THISCALL draw(void* list, void* renderer, float x, float y) noexcept;
  static const void* table();
};

struct SetupFileChooserMenu {
  static constexpr std::uint32_t kHostTable = 0x74C548u;
  static void* QZR_THISCALL construct(void* chooser, std::int32_t value) noexcept;
  // The second entry, as for the file list.
  static void* QZR_THISCALL constructOnFreshMemory(void* chooser, std::int32_t value) noexcept;
  static void QZR_THISCALL draw(void* chooser, void* renderer, float x, float y) noexcept;
  static const void* table();
};

}  // namespace kvl::gui
