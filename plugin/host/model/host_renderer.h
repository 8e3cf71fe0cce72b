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
  // The Direct3D device; null until the host has created it.
  static void* device(const void* renderer) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(renderer, 244)));
  }
  // Host 0x40E9F0 / 0x40EA00, member calls: the screen width and the second screen dimension.
  static std::uint32_t screenWidth(void* renderer);
  static std::uint32_t dimension2(void* renderer);
};

}  // namespace kvl::host
