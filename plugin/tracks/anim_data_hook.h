#pragma once
// The stage's animation data on its way into the host: checked and repaired before the host's
// loader parses it, the loader run under a guard, too-small entry values raised afterwards.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::tracks {

// The value a too-small entry is raised to. Host code reads it through a patched operand, so it
// lives at a fixed address.
extern const float animDataDefault;

// Member hook for the host's loader call (host loader object, data pointer; callee pops).
void QZR_THISCALL loadAnimDataHook(void* loader, void* data) noexcept;

// Raises each parsed entry's value (the float at byte 20 of each 96-byte entry) that is 0.01 or
// less to the default; a NaN stays.
void raiseSmallEntryValues(void* loader) noexcept;

}  // namespace kvl::tracks
