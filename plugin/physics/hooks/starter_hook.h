#pragma once
// The starter motor, taken over at its two host call sites 0x507A3E and 0x50A25D: a member call
// on the host's drivetrain solver with the time step as its one float stack argument, which the
// callee removes; the starter torque comes back in ST(0).
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

float QZR_THISCALL starterTorqueHook(void* solver, float dt) noexcept;

}  // namespace kvl::physics
