#pragma once
// The host's menu centring switch (on its graphics object) and its menu drawing routine.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostGraphics {
  // The object the host keeps in its global 0x894FB8; null while it has none.
  static void* instance();
  // Host 0x4C02A0, member call: the low byte is set while the host centres its menus.
  static bool centresMenus(void* graphics);
};

// Host 0x4C2160, member call on a host drawable: two integers, x, four further words; the callee
// removes its seven arguments.
void hostMenuDraw(void* drawable, std::int32_t a, std::int32_t b, float x, std::uint32_t c, std::uint32_t d,
                  std::uint32_t e, std::uint32_t f);

}  // namespace kvl::host
