#pragma once
// The gear-change lamps drawn into the host's driving display. The host's code at four places
// calls shiftLightHook, an assembly entry that keeps every register, the flags and the FPU and
// SSE state, and calls drawGearLamps.
#include "plugin/host/binding/abi.h"

namespace kvl {
// The width of one lamp stage in revolutions per minute; the plugin controller stores the setting.
extern float gearChangeIndicatorDelta;
}  // namespace kvl

extern "C" {
// Draws the lit lamps through the host's menu renderer; does nothing without race, game or
// renderer.
void qzrDrawGearLamps() noexcept;
#if QZR_HOST_ABI
// The register-keeping entry written into the host's code (gear_lamp_thunk.S).
void shiftLightHook();
#endif
}
