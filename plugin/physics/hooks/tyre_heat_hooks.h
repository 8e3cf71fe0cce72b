#pragma once
// The host's tyre heat exchange routine, taken over at its two call sites: four float stack
// arguments removed by the caller, the result in ST(0).
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Sites 0x518A33 and 0x53428D: heat flow from a body at a to surroundings at b (corrected by the
// ambient temperature of the air model) through conductance k over the area.
float QZR_CDECL tyreHeatExchangeHook(float a, float b, float k, float area) noexcept;

}  // namespace kvl::physics
