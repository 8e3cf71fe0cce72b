#pragma once
// The tyre's grip routines, taken over at their host call sites. Each is a member call on the
// host's tyre object; stack arguments are removed by the hook and passed on unchanged.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Sites 0x53E2A4 and 0x53F086: sixteen stack words, the first the contact record. Its three
// contact values are reduced with road speed (the record keeps them) and the grip tables scaled
// by the tyre's performance percentage for the surface for the host call (0x5360C0) only: they
// are restored after it. The host's 32-bit result in EAX.
std::uint32_t QZR_THISCALL tyreGripStepHook(void* tyre, void* contact, std::uint32_t a2, std::uint32_t a3,
                                            std::uint32_t a4, std::uint32_t a5, std::uint32_t a6, std::uint32_t a7,
                                            std::uint32_t a8, std::uint32_t a9, std::uint32_t a10, std::uint32_t a11,
                                            std::uint32_t a12, std::uint32_t a13, std::uint32_t a14, std::uint32_t a15,
                                            std::uint32_t a16) noexcept;

// Site 0x5362AB, inside the host's grip routine: no stack arguments. Scales the grip tables by the
// camber factor and leaves them so, then runs the host's routine (0x5338A0) on the tyre and passes
// its 32-bit result back.
std::uint32_t QZR_THISCALL tyreCamberGripHook(void* tyre) noexcept;

// Site 0x536724: three stack words. Writes the flex heat at +1256 and calls the host's routine
// (0x534090) with +968 scaled by the flex heat factor for that call; its 32-bit result back.
std::uint32_t QZR_THISCALL tyreFlexHeatHook(void* tyre, std::uint32_t a1, std::uint32_t a2, std::uint32_t a3) noexcept;

}  // namespace kvl::physics
