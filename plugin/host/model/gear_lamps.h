#pragma once
// The gear-change lamps drawn into the host's driving display. The host's code at four places
// calls shiftLightHook, an assembly entry that keeps every register, the flags and the FPU and
// SSE state, and calls drawGearLamps.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl {
// The width of one lamp stage in revolutions per minute; the plugin controller stores the setting.
extern float gearChangeIndicatorDelta;
}  // namespace kvl

namespace kvl::host {

// The shift point of a gear of the host's current car; none while no car part provides it.
using ShiftPointSource = float (*)(std::int32_t gear);
void setShiftPointSource(ShiftPointSource source) noexcept;

// The shift point for the gear (taken as at least 2): from the source, else 5500.
float shiftPointRpm(std::int32_t gear) noexcept;

}  // namespace kvl::host

extern "C" {
// Draws the two lamps through the host's menu renderer; does nothing without race, game or renderer.
void qzrDrawGearLamps() noexcept;
#if QZR_HOST_ABI
// The register-keeping entry written into the host's code (gear_lamp_thunk.S).
void shiftLightHook();
#endif
}
