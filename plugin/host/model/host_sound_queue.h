#pragma once
// The host's sound manager calls that the plugin defers: a queue drained inside the manager's
// per-frame update, under the manager's own critical section; and the hook that replaces the
// host routine setting the sound system's flag word.
#include <cstdint>
#include <vector>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The manager's critical section (host layout).
constexpr std::uint32_t kSoundManagerLockOffset = 0x10590;

// Replaces the calls at host 0x4DCEDD and 0x4DCFE3: the argument is queued, not passed on.
void QZR_THISCALL queueSoundCallHook(void* manager, std::uint32_t value) noexcept;
// Replaces the call at host 0x4D4A3E: the queued calls reach the manager's slot 24, then its slot
// 68, under its lock; then the host's update 0x4DB760 runs with the same object and float.
std::int32_t QZR_THISCALL queuedSoundUpdateHook(void* manager, float seconds) noexcept;
// Entered by a jump at host 0x4DB347 in place of the host routine: a zero low byte sets the
// running sound system's flag word (+4364) to 1.
void QZR_STDCALL soundSystemFlagHook(std::uint32_t argument) noexcept;

// The queued values, for tests.
std::vector<std::uint32_t> queuedSoundCalls();

}  // namespace kvl::host
