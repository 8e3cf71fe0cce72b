#pragma once
// One event source: a busy flag, a selector and 33 listener lists (32 per-id lists and a
// catch-all list). The host's sources and the plugin's own have this layout and raise rule.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::host {

struct EventSignal {
  static constexpr std::uint32_t kPerIdLists = 32;

  std::int32_t busy = 0;
  const std::int32_t* selector = nullptr;  // the host int whose value picks the per-id list
  HostListenerList lists[kPerIdLists + 1];

  HostListenerList& catchAll() noexcept { return lists[kPerIdLists]; }
  // Per-id list i (0..31); null for any other value.
  HostListenerList* perId(std::int32_t id) noexcept {
    return id >= 0 && static_cast<std::uint32_t>(id) < kPerIdLists ? &lists[id] : nullptr;
  }

  // Raises by the host's rule: nothing while there is no selector or while a raise of this
  // source runs; otherwise the catch-all list, then the list that the selector value picked
  // before any listener ran. A selector value outside 0..31 picks no per-id list. The busy flag
  // is cleared on every way out.
  void raise(const void* record) noexcept;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(EventSignal) == 536, "event source is 536 bytes");
QZR_HOST_LAYOUT_ASSERT(offsetof(EventSignal, selector) == 4, "selector at +4");
QZR_HOST_LAYOUT_ASSERT(offsetof(EventSignal, lists) == 8, "per-id lists from +8");
QZR_HOST_LAYOUT_ASSERT(offsetof(EventSignal, lists) + 32 * 16 == 520, "catch-all list at +520");

}  // namespace kvl::host
