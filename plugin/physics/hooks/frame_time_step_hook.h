#pragma once
// The host's per-frame step of its surface effects, taken over at its eight call sites: the
// effects advance only by whole periods of a 144-per-second game-time timer, and only in the
// states where the host shows them moving.
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// A member call on the effects object with the host's own time step (ignored); the callee
// removes the argument. Calls host 0x5E2850 (effects, seconds) when a period has passed.
void QZR_THISCALL frameTimeStepHook(void* effects, float hostStep) noexcept;

}  // namespace kvl::physics
