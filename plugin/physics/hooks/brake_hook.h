#pragma once
// The per-wheel brake routine, taken over at its host call site 0x50A2A9: a member call on the
// host's drivetrain solver with five stack arguments that the callee removes (the wheel's state
// record, its brake corner, the drivetrain parameters, the controls record, the time step); the
// brake torque comes back in ST(0).
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Asks the host's friction routine (0x504060) for the coefficient at the clamp force, steps the
// wheel's two brake temperatures and publishes the wheel's brake telemetry. A wheel state that is
// not one of the solver's four wheel records gives 0 and changes nothing.
float QZR_THISCALL brakeTorqueHook(void* solver, void* wheelState, void* brakeParams, void* drivetrainParams,
                                   void* controls, float dt) noexcept;

}  // namespace kvl::physics
