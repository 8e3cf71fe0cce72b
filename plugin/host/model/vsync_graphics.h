#pragma once
// The host's graphics object as the plugin builds it when v-sync is fixed: the host's own object
// with a copy of its table in which slot 4 first sets the Direct3D present interval.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// D3DPRESENT_INTERVAL_ONE and D3DPRESENT_INTERVAL_IMMEDIATE.
constexpr std::uint32_t kPresentIntervalOne = 1u;
constexpr std::uint32_t kPresentIntervalImmediate = 0x80000000u;

// The interval for the vSyncActive setting.
constexpr std::uint32_t presentIntervalFor(bool vSyncActive) noexcept {
  return vSyncActive ? kPresentIntervalOne : kPresentIntervalImmediate;
}

struct VSyncGraphicsClone {
  static constexpr std::size_t kSlot = 4;
  // PresentationInterval of the D3DPRESENT_PARAMETERS block at +172.
  static constexpr std::size_t kPresentIntervalOffset = 172 + 52;
  // The table copy with slot 4 replaced, made once.
  static const void* table();
  // Slot 4: stores the interval for vSyncActive at +100, +156 and +224, then runs the host's slot 4.
  static std::int32_t QZR_THISCALL applyInterval(void* object) noexcept;
};

// Replaces the host's call of its graphics object constructor: builds the host object, then gives
// it the v-sync table.
void* QZR_THISCALL vSyncConstructHook(void* object) noexcept;

}  // namespace kvl::host
