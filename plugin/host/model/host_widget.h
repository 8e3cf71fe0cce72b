#pragma once
// Host widgets drawn and told events through their own table slots.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostWidget {
  // Slot 2: attaches another widget (or the renderer) to this one.
  static void attach(void* widget, void* other);
  // Slot 3: draws the widget with the renderer at (x, y).
  static void render(void* widget, void* renderer, float x, float y);
  // Slot 1: an event with its record.
  static std::int32_t sendEvent(void* widget, std::int32_t event, const void* record);
};

}  // namespace kvl::host
