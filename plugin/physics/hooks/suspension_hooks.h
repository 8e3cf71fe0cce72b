#pragma once
// The suspension hooks that run inside the host's physics step: the road profile under a wheel
// contact and the wheel's suspension event.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Site 0x53D49D: one stack argument, the contact record, which the hook removes (the host gives
// no object with this call). Writes the profile heights at +84 and +88; a secondary material of
// 254 is stored back as the primary one. Nothing without the surface grip table.
void QZR_STDCALL surfaceProfileHook(void* contact) noexcept;

// Site 0x53F386: the wheel in ESI and the 88-byte record as the one stack argument, which the
// thunk suspensionEventHook removes. A copy with the wheel's ground position added to its second
// vector is raised on source 20 (posted to the physics worker while it steps). 1 when raised or
// posted, 0 without an event hub.
extern "C" std::uint32_t QZR_CDECL qzrSuspensionEvent(void* wheel, const void* record) noexcept;
// Sites 0x53E317 and 0x53F0DD: as above with the 176-byte record, whose three vectors from
// byte 16 are carried through the car's frame and moved by the wheel's ground position (less its
// hub offset) before the copy is raised on source 33.
extern "C" std::uint32_t QZR_CDECL qzrSuspensionEvent2(void* wheel, const void* record) noexcept;
#if QZR_HOST_ABI
extern "C" void suspensionEventHook();
extern "C" void suspensionEventHook2();
#endif

}  // namespace kvl::physics
