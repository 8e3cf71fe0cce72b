#pragma once
// The host's spring routine, taken over at its call sites 0x53E548 and 0x53F168: a member call on
// the wheel's spring component with six stack arguments (position, length, velocity and three
// more), removed by the callee; the result of the host's finish routine (0x52DD70) in EAX.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Progressive bump stops and the high-speed damping breaks around the host's own spring routine
// (0x52E090, called with the six arguments unchanged); the spring block's values are restored
// before it returns.
std::uint32_t QZR_THISCALL springForceHook(void* component, std::uint32_t position, float length, float velocity,
                                           std::uint32_t a, std::uint32_t b, std::uint32_t c) noexcept;

}  // namespace kvl::physics
