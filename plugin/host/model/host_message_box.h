#pragma once
// The host's message box (pointer in host global 0x7D2344): shows a host message by text id and
// calls the callback with the player's answer (0 to confirm) when it closes.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

using MessageCallback = void(QZR_CDECL*)(std::int32_t answer) noexcept;

struct HostMessageBox {
  // Null while the host has none.
  static void* instance();
  // Host 0x58DC60, member call; nothing without a message box.
  static void show(std::int32_t textId, MessageCallback callback, void* context);
};

}  // namespace kvl::host
