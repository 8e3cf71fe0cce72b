#pragma once
// The host's array of 20-byte input items.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostInputItem {
  static constexpr std::size_t kSize = 20;
  static constexpr std::size_t kControlOffset = 12;
  // The item's input control (word +12); null when the item has none.
  static void* control(const void* item) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(item, kControlOffset)));
  }
  // Of a control: its device (word +76), null when it has none; its analogue value (float +48).
  static void* device(const void* control) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(control, 76)));
  }
  static float value(const void* control) noexcept { return fieldAt<float>(control, 48); }
};

struct HostInputTable {
  static constexpr std::size_t kTableOffset = 36;  // in the input target and the controller record
  // Item i: base + 20 * i.
  static void* item(void* base, std::uint32_t i) noexcept {
    return addressAt(base, static_cast<std::size_t>(i) * HostInputItem::kSize);
  }
};

}  // namespace kvl::host
