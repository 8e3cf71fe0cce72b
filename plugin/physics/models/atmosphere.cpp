#include "plugin/physics/models/atmosphere.h"

#include <cmath>

namespace kvl::physics {

Atmosphere atmosphereAt(float altitude) {
  float h = altitude;
  if (std::isnan(h)) h = 0.0f;
  if (h > kHighestAltitude) h = kHighestAltitude;
  Atmosphere air;
  air.temperature = 293.15f - 0.0065f * h;
  const double base = 1.0 - static_cast<double>(0.0065f * h / 288.15f);
  air.pressure = static_cast<float>(101300.0 * std::pow(base, 5.255));
  air.density = air.pressure / (air.temperature * 287.0f);
  air.inversePressure = 1.0f / air.pressure;
  air.pressure115 = 1.15f * air.pressure;
  air.pressure0987 = 0.9871668f * air.pressure;
  return air;
}

}  // namespace kvl::physics
