#pragma once
// The stick/slip step of the coupling between engine and gearbox, taken over at its host call
// site: a member call on the host's drivetrain solver with five stack arguments that the callee
// removes (torque, pointer to the output, coupling limit, ratio, time step); no result.
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Site 0x50A34B. Calls the host's synchronised step (0x509210) or free step (0x509120) as the
// coupling's state asks. A gear index outside the host's ten gear entries outputs 0 and changes
// nothing.
void QZR_THISCALL stickSlipHook(void* solver, float torque, float* output, float limit, float ratio, float dt) noexcept;

}  // namespace kvl::physics
