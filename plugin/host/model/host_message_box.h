#pragma once
// The host's message box: shows one of its numbered messages and calls back with the answer.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

using MessageCallback = void(QZR_CDECL*)(std::int32_t answer);

struct HostMessageBox {
  // The object the host keeps in its global 0x7D2344; null while it has none.
  static void* instance();
  // Host 0x58DC60, member call: message number, callback, user data.
  static void show(void* box, std::int32_t message, MessageCallback callback, void* userData);
};

}  // namespace kvl::host
