#pragma once
// The table of input actions inside a host menu item (reached through the item's word +12).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostItemActions {
  static constexpr int kCapacity = 8;
  std::uint8_t count;
  std::uint8_t itemIds[kCapacity];
  std::uint8_t values[kCapacity];
  std::uint8_t highMask;  // bit i: action i's value is above 0x40000000
  std::uint8_t pad[2];
  HostWord objects[kCapacity];
  HostWord functions[kCapacity];

  // The first action whose item id matches gets the value's low byte, the object and the
  // function, and its mask bit. An id the table does not hold changes nothing. The host's count
  // is trusted only up to the table's eight places.
  static void bind(HostItemActions* table, std::uint8_t itemId, HostWord object, std::int32_t value,
                   HostWord function) noexcept;
  // The table of a host menu item; null when the item has none.
  static HostItemActions* of(void* item) noexcept {
    return reinterpret_cast<HostItemActions*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(item, 12)));
  }
};
static_assert(sizeof(HostItemActions) == 84, "host action table");
static_assert(offsetof(HostItemActions, highMask) == 17 && offsetof(HostItemActions, objects) == 20 &&
                  offsetof(HostItemActions, functions) == 52,
              "host action table");

}  // namespace kvl::host
