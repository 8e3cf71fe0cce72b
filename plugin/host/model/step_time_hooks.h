#pragma once
// The host's frame-time code asks the plugin for the step: the code written into the host's frame
// loop calls these two with the host's timing object in ECX, the float first (its result stays on
// the floating-point stack), then the step count (which the host keeps in EBX).
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// The seconds of game time to simulate now (StepTimer::periodSeconds of the host step timer).
float QZR_THISCALL gameFloatValue(void* timing) noexcept;
// The steps that the last gameFloatValue call counted.
std::int32_t QZR_THISCALL gameIntValue(void* timing) noexcept;

}  // namespace kvl::host
