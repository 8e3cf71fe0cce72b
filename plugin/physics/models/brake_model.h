#pragma once
#include <cstdint>

namespace kvl::physics {

// One corner's brake, as the car file gives it.
struct BrakeParameters {
  float mass = 0.0f;
  float convectionFactor = 0.0f;
  float layerFraction = 0.0f;       // share of the mass in the friction layer, 0..1
  float effectiveRadius = 0.0f;
  float specificHeat = 0.0f;
  float heatAbsorption = 0.0f;
  float plateArea = 0.0f;
  float ventArea = 0.0f;
  float internalConvection = 0.0f;
  float pistonArea = 0.0f;
  float share = 0.0f;               // this corner's share of the brake pressure
};

// The wheel's brake state: temperatures as whole micro-kelvins.
struct BrakeWheelState {
  float angularSpeed = 0.0f;        // rad/s
  float handbrakeFactor = 0.0f;
  uint32_t layerTemperature = 0;
  uint32_t coreTemperature = 0;
};

// What the telemetry shows of one brake, in the record's order.
struct BrakeTelemetry {
  float pressure, clampForce, friction, rubbingSpeed, reducedFriction, convectionCoefficient, torque;
  float conduction, convection, ventHeat, frictionHeat, layerHeat, coreHeat, radiation;
};

struct BrakeInput {
  int wheel = 0;                    // 0, 1 front; 2, 3 rear
  float brake = 0.0f;               // pedal
  float handbrake = 0.0f;
  float handbrakeShare = 1.0f;
  bool frontBrakes = true;          // the front-brake flag
  float frontSlope = 0.0f;          // FrontBrakeVelSlope_QZR
  float rearSlope = 0.0f;           // RearBrakeVelSlope_QZR
  float carSpeed = 0.0f;
  float ambient = 293.15f;          // K
  float dt = 0.0f;
};

// The pressure on one brake: share x pedal + the handbrake (0 on the front wheels while the
// front-brake flag is clear). Also gives the handbrake part.
struct BrakePressure {
  float pressure = 0.0f;
  float handbrake = 0.0f;
  float clampForce = 0.0f;
};
BrakePressure brakePressure(const BrakeParameters& p, const BrakeWheelState& s, const BrakeInput& in);

// The torque of one brake with the host's friction coefficient for its clamp force, and the
// step of its two temperatures (friction layer and core). A node without heat capacity keeps
// its temperature; temperatures stay within the 32-bit micro-kelvin range.
float brakeStep(const BrakeParameters& p, BrakeWheelState& s, const BrakeInput& in, const BrakePressure& pressure,
                float friction, BrakeTelemetry& telemetry);

// The part of a rear brake's handbrake torque handed to the front wheel on its side when the
// centre differential is locked and the handbrake releases it: hb / p x 0.5 x torque.
float handbrakeTransfer(const BrakePressure& pressure, float torque);

}  // namespace kvl::physics
