#pragma once
// A host object that embeds a listener node (its owner-list word at +192, the node at +180):
// while the node is linked into the catch-all list of host event source 46 the object is active.
// The host's sound system is one.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostVehicleState {
  static constexpr std::size_t kNodeOffset = 180;
  static constexpr std::uint32_t kSource = 46;

  // Links the embedded node at the tail of the source's catch-all list; nothing while the host
  // has no event hub.
  static void subscribe(void* object) noexcept;
  // Unlinks it again.
  static void unsubscribe(void* object) noexcept;
  // True while the node is not linked.
  static bool isFlagClear(const void* object) noexcept { return fieldAt<HostWord>(object, kNodeOffset + 12) == 0; }
};

}  // namespace kvl::host
