#pragma once
// The plugin's copy of a host skid trail: the host trail's 4176 bytes behind a two-entry table of
// the plugin's own. Slot 0 frees the copy; slot 1 runs the host's draw of the trail on it.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct SkidTrail {
  static constexpr std::size_t kSize = 4176;
  // Flag bits of slot 0: kFree frees the copy, to the plugin's heap when kPluginHeap is set as
  // well (a block of kSize from operator new), else through hostRuntimeRelease.
  static constexpr std::uint32_t kFree = 1u;
  static constexpr std::uint32_t kPluginHeap = 4u;

  // Copies the host trail's bytes after its table word into memory (kSize bytes) and points the
  // copy at the plugin's table. Returns the copy.
  static void* copyFrom(void* memory, const void* hostTrail) noexcept;
  static const void* table() noexcept;
  // Slot 1: host 0x5F05E0, member call on the trail.
  static std::int32_t draw(void* trail);
  // Slot 0.
  static void destroy(void* trail, std::uint32_t flags) noexcept;
};

}  // namespace kvl::host
