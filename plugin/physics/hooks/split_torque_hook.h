#pragma once
// The differential torque step, taken over at its host call site 0x50A46E: a member call on the
// host's drivetrain solver with the time step as its one float stack argument, which the callee
// removes. The host's own step (0x509BC0, same convention) answers with a 32-bit word in EAX; the
// hook passes that word back, and 0 after the plugin's own axle solve.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// The downforce step and the driveline loss, then for drive types 4 to 7 the locking torques of
// the three differentials; drive type 4 solves the front axle, 5 the rear one, the others run
// the host's step.
std::uint32_t QZR_THISCALL splitTorqueHook(void* solver, float dt) noexcept;

}  // namespace kvl::physics
