#pragma once
// The car-level hooks: the steering force-feedback curve and the per-tick car record.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Sites 0x4918EE and 0x4919AC: a member call on the car without arguments; the shaped steering
// force in ST(0). 0 while the car's flag at +492 is set.
float QZR_THISCALL forceFeedbackCurveHook(void* car) noexcept;

// The per-tick record at site 0x4EA1B3: a copy with each wheel's ground position (z 0) added to
// its vector goes to the host's tick consumer, then to the car-tick listeners (posted to the
// physics worker while it steps). The thunk carTickHook takes the car from ESI and the record
// from the stack, and removes the record word.
extern "C" void QZR_CDECL qzrCarTick(void* car, const void* record) noexcept;
#if QZR_HOST_ABI
extern "C" void carTickHook();
#endif

}  // namespace kvl::physics
