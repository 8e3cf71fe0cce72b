#pragma once
// The host's menu centring switch, on its graphics object.

namespace kvl::host {

struct HostGraphics {
  // The object the host keeps in its global 0x894FB8; null while it has none.
  static void* instance();
  // Host 0x4C02A0, member call: the low byte is set while the host centres its menus.
  static bool centresMenus(void* graphics);
};

}  // namespace kvl::host
