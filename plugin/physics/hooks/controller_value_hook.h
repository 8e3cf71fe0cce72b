#pragma once
// The host's controller value call at 0x4CC554: a member call on the input target with one float
// stack argument, removed by the callee; no result.
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// The force-feedback and input workers take their host-frame handshake first; when the input
// worker does not own the input update, the host's routine (0x4CBF50) gets the value at once,
// without the target's lock test.
void QZR_THISCALL controllerValueHook(void* target, float value) noexcept;

}  // namespace kvl::physics
