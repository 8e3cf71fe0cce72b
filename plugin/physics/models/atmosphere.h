#pragma once

namespace kvl::physics {

// Air around the car, from its altitude: the engine, the downforce and the brake and tyre heat
// models read it.
struct Atmosphere {
  float temperature = 293.15f;      // K
  float pressure = 101300.0f;       // Pa
  float density = 1.2040719f;       // kg/m^3
  float inversePressure = 1.0f / 101300.0f;
  float pressure115 = 1.15f * 101300.0f;
  float pressure0987 = 0.9871668f * 101300.0f;
};

// The density that makes the density ratio 1.
constexpr float kReferenceAirDensity = 1.2040719f;

// The highest altitude used: the pressure formula reaches 0 a little above it.
constexpr float kHighestAltitude = 44300.0f;

// Lapse rate 6.5 K/km from 293.15 K; p = 101300 (1 - 0.0065 h / 288.15)^5.255; rho = p / (287 T).
// Altitudes above kHighestAltitude are taken as kHighestAltitude, NaN as 0.
Atmosphere atmosphereAt(float altitude);

inline float densityRatio(const Atmosphere& air) { return air.density / kReferenceAirDensity; }

}  // namespace kvl::physics
