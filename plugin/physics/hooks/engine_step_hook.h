#pragma once
// The engine's torque step, taken over at its host call site 0x4E6657: a member call on the
// host's engine object with two float stack arguments (time step, engine speed) that the callee
// removes; the torque comes back in ST(0).
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Runs the host's own torque routine (0x518E20) and its ignition test (0x50ECF0, on the same
// engine object), then the plugin's engine model: over-rev damage with the engine-failure event,
// the stall window, the torque curve and the idle control. The result is the torque / 1.05.
float QZR_THISCALL engineStepHook(void* engine, float dt, float speed) noexcept;

}  // namespace kvl::physics
