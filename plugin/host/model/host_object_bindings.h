#pragma once
// Small bindings the host integration core uses: the host global and routine of the rally
// school's event call, a virtual call into a host object, the elapsed time on the host's race
// object, the dashboard position the shift lamps draw at and the geometry root's linked object.
// None holds state beyond its cached address.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The value host global 0x7C2CA0 holds now (only its address is cached).
std::int32_t hostEventGlobal();
// Host routine 0x492AE0 as a member call on the object word with one int; its result.
std::int32_t hostCallEventPair(std::int32_t object, std::int32_t value);

struct HostObject {
  // Slot 0: the object's deleting destructor.
  static void deleteThis(void* object, std::uint32_t flags);
  // Slot 40 of the object's current table, looked up on every call (a replaced slot is honoured).
  static std::int32_t callSlot40(void* object, std::int32_t value);
};

// The race object's elapsed time: the float at +0x140 grows while the hold word at +0x144 is 0.
struct HostRaceTime {
  static constexpr std::size_t kElapsedOffset = 0x140;
  static constexpr std::size_t kHoldOffset = 0x144;
  static void addElapsedTime(void* race, float seconds) noexcept;
};

struct HostCockpit {
  // The first position block (x, y) of the player's dashboard layout, following the race's
  // player entry (+0x7CC), its vehicle (+0x40) and the view's layout (+4); a static block of
  // two zeros when any link is null. Never null.
  static const float* dashLayout(const void* race) noexcept;
  // The race object itself: the second set's two integer base coordinates (x, y) lie at its
  // start.
  static const std::int32_t* self(const void* race) noexcept { return static_cast<const std::int32_t*>(race); }
};

// The object the Spindle3D.DLL geometry root links to (its word at +0x18); null for a null root.
struct SpindleGeometryRoot {
  static void* linkedObject(const void* root) noexcept;
};

}  // namespace kvl::host
