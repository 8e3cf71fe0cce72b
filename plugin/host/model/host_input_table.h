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
};

struct HostInputTable {
  // Item i: base + 20 * i.
  static void* item(void* base, std::uint32_t i) noexcept {
    return addressAt(base, static_cast<std::size_t>(i) * HostInputItem::kSize);
  }
};

}  // namespace kvl::host
