#include "plugin/host/model/host_item_actions.h"

namespace kvl::host {

void HostItemActions::bind(HostItemActions* table, std::uint8_t itemId, HostWord object, std::int32_t value,
                           HostWord function) noexcept {
  if (table == nullptr) return;
  const int n = table->count < kCapacity ? table->count : kCapacity;
  for (int i = 0; i < n; ++i) {
    if (table->itemIds[i] != itemId) continue;
    table->values[i] = static_cast<std::uint8_t>(value);
    table->objects[i] = object;
    table->functions[i] = function;
    const auto bit = static_cast<std::uint8_t>(1u << i);
    if (value > 0x40000000) {
      table->highMask = static_cast<std::uint8_t>(table->highMask | bit);
    } else {
      table->highMask = static_cast<std::uint8_t>(table->highMask & ~bit);
    }
    return;
  }
}

}  // namespace kvl::host
