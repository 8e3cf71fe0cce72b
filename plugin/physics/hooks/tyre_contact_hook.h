#pragma once
// The tyre contact-patch routine, taken over at its host call site: a member call on the tyre
// with seventeen stack words (the first six floats) that the hook removes and passes on to the
// host's routine (0x5320C0) unchanged. The host's 32-bit result in EAX is passed back.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Site 0x535484. After the host's routine the float the fifteenth word points to becomes
// min(1, 4.25 x itself) and the one the seventeenth points to 1.0.
std::uint32_t QZR_THISCALL clampContactHook(void* tyre, std::uint32_t a1, std::uint32_t a2, std::uint32_t a3,
                                            std::uint32_t a4, std::uint32_t a5, std::uint32_t a6, std::uint32_t a7,
                                            std::uint32_t a8, std::uint32_t a9, std::uint32_t a10, std::uint32_t a11,
                                            std::uint32_t a12, std::uint32_t a13, std::uint32_t a14, float* a15,
                                            std::uint32_t a16, float* a17) noexcept;

}  // namespace kvl::physics
