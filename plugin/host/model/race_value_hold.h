#pragma once
// The hook on the host's calls of its race value update (host 0x573D90, a member call on the race
// object with a float).
#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Runs the host's update; in GAME, outside rally school, the race value at +320 keeps what it
// held before the call.
void QZR_THISCALL raceValueHoldHook(void* race, float value) noexcept;

}  // namespace kvl::host
