#pragma once
// The host's renderer (pointer in host global 0x1703E14), read afresh on every access.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostRenderer {
  // Null while the host has none.
  static void* instance();
  // The host window the renderer draws into.
  static void* window(const void* renderer) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(renderer, 228)));
  }
};

}  // namespace kvl::host
