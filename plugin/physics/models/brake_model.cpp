#include "plugin/physics/models/brake_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kvl::physics {

namespace {

constexpr double kRadiationFactor = 1.7011119e-8;  // 0.3 x the Stefan-Boltzmann constant

// Adds a change of heat to a temperature of whole micro-kelvins, truncating the new temperature.
uint32_t heated(uint32_t microKelvin, double heat, double capacity) {
  if (!(capacity > 0.0) || !std::isfinite(heat)) return microKelvin;
  const double next = static_cast<double>(microKelvin) + std::floor(heat / capacity * 1e6);
  if (!(next > 0.0)) return 0;
  if (next >= static_cast<double>(std::numeric_limits<uint32_t>::max())) return std::numeric_limits<uint32_t>::max();
  return static_cast<uint32_t>(next);
}

}  // namespace

BrakePressure brakePressure(const BrakeParameters& p, const BrakeWheelState& s, const BrakeInput& in) {
  BrakePressure out;
  out.handbrake = s.handbrakeFactor * in.handbrake * in.handbrakeShare;
  out.pressure = p.share * in.brake + out.handbrake;
  if (in.wheel < 2 && !in.frontBrakes) out.pressure = 0.0f;
  out.clampForce = out.pressure * p.pistonArea;
  return out;
}

float brakeStep(const BrakeParameters& p, BrakeWheelState& s, const BrakeInput& in, const BrakePressure& pressure,
                float friction, BrakeTelemetry& tm) {
  const float slope = in.wheel < 2 ? in.frontSlope : in.rearSlope;
  const float omega = std::fabs(s.angularSpeed);
  const float v = omega * p.effectiveRadius;
  const float a = static_cast<float>(std::pow(static_cast<double>(std::max(std::fabs(in.carSpeed), v)), 0.78));
  // Not below 0: past 1 / slope of rubbing speed the friction would turn negative and the brake
  // would drive the wheel it holds.
  const float reduced = std::max(0.0f, (1.0f - v * slope) * friction);
  const float h = (a + 1.0f) * p.convectionFactor;
  const float torque = reduced * pressure.clampForce * p.effectiveRadius;

  const double tl = s.layerTemperature * 1e-6;
  const double tc = s.coreTemperature * 1e-6;
  const double ta = in.ambient;
  const double cond = static_cast<double>(p.plateArea) * p.internalConvection * (tc - tl);
  const double conv = static_cast<double>(p.plateArea) * h * (ta - tl);
  const double fric = static_cast<double>(torque) * omega * p.heatAbsorption;
  const double rad = (ta * ta * ta * ta - tl * tl * tl * tl) * p.plateArea * kRadiationFactor;
  const double layerHeat = (fric + conv + cond + rad) * in.dt;
  const double vent = static_cast<double>(h) * p.ventArea * (ta - tc);
  const double coreHeat = (vent - cond) * in.dt;
  const double heatCapacity = static_cast<double>(p.specificHeat) * p.mass;
  s.layerTemperature = heated(s.layerTemperature, layerHeat, p.layerFraction * heatCapacity);
  s.coreTemperature = heated(s.coreTemperature, coreHeat, (1.0 - p.layerFraction) * heatCapacity);

  tm.pressure = pressure.pressure;
  tm.clampForce = pressure.clampForce;
  tm.friction = friction;
  tm.rubbingSpeed = v;
  tm.reducedFriction = reduced;
  tm.convectionCoefficient = h;
  tm.torque = torque;
  tm.conduction = static_cast<float>(cond);
  tm.convection = static_cast<float>(conv);
  tm.ventHeat = static_cast<float>(vent);
  tm.frictionHeat = static_cast<float>(fric);
  tm.layerHeat = static_cast<float>(layerHeat);
  tm.coreHeat = static_cast<float>(coreHeat);
  tm.radiation = static_cast<float>(rad);
  return torque;
}

float handbrakeTransfer(const BrakePressure& pressure, float torque) {
  if (!(pressure.handbrake > 0.0f) || !(pressure.pressure > 0.0f)) return 0.0f;
  return pressure.handbrake / pressure.pressure * 0.5f * torque;
}

}  // namespace kvl::physics
