#include "plugin/physics/hooks/tyre_heat_hooks.h"

#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/models/tyre_model.h"

namespace kvl::physics {

float QZR_CDECL tyreHeatExchangeHook(float a, float b, float k, float area) noexcept {
  return tyreExchange(a, b, k, area, physicsVariables().air.temperature);
}

}  // namespace kvl::physics
