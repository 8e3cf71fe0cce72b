#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "plugin/foundation/maths/linear_spline.h"

namespace kvl::physics {

constexpr float kRpmToRadPerSecond = 0.10471976f;

// Bits of the car's EngineType_QZR word.
constexpr uint32_t kEngineHostBit = 1u;       // kept for the host; halves the stall torque
constexpr uint32_t kEngineModelBit = 2u;      // the plugin's torque curve, idle speed and constants
constexpr uint32_t kEngineStallBit = 8u;      // the stall detector

// The rev limit used when a car gives none: the limit at which the published speed constants keep
// their defaults.
constexpr float kDefaultRevLimitRpm = 8000.0f;

// The engine values of the loaded car that the engine step uses and that host code reads through
// its redirected operands. The member initialisers are the values before any load.
struct EngineConstants {
  float idle = 400.0f;               // rad/s
  float stallThreshold = 40.0f;      // rad/s
  float lowerIdleBand = 200.0f;
  float upperIdleBand = 275.0f;
  float idleBandSlope = -1.0f / 75.0f;
  float maxTorque = 50.0f;
  float engineBrakeCoefficient = 0.25f;
  float constantA = 900.0f;
  float constantB = 500.0f;
  float constantC = 3500.0f;
  float constantD = 0.00022222222f;
  float constantE = 300.0f;
  float constantF = 80.0f;
  float constantG = 40.0f;
  float heatConstant = 2215000.0f;
  float wasteGateMinimum = 10000.0f;
  float wasteGateMaximum = 20000.0f;
  float constantH = 600.0f;
  float constantJ = 6000.0f;
  float idleBandRpm = 381.97186f;
};

// What the load pass reads for the engine: the car's engine-type word, the three setup-range
// values, the host's rev limit and the keys that feed the published constants.
struct EngineSetupValues {
  uint32_t flags = 0;
  uint32_t idleRpm = 0;
  uint32_t maxTorque = 0;
  uint32_t brakeCoefficient = 0;
  float revLimitRpm = 0.0f;
  float dissipatedHeatFraction = 0.0f;
  float wasteGateMinimum = 0.0f;
  float wasteGateMaximum = 0.0f;
};

// The engine values for a car. An idle speed or rev limit of 0 keeps the defaults of the values
// derived from it, so that no constant becomes infinite.
EngineConstants engineConstantsFor(const EngineSetupValues& values);

// The rev limit in rad/s; a limit of 0, below 0 or NaN reads as kDefaultRevLimitRpm.
float revLimitRadPerSecond(float revLimitRpm);

// Builds the torque curve from the car's sixteen torque points: each speed is converted from
// rpm to rad/s in place; the first point is always used, later ones only with a positive torque.
// A speed that does not rise throws (Spline::pushBack).
void buildTorqueCurve(float speedsRpm[16], const float torques[16], LinearSpline& curve);

// The factor of the inlet air-flow rows: inlet pipe area x cylinder volume / 9.1e-7.
float inletFlowScale(float inletPipeArea, float cylinderVolume);

// The engine's condition 0..1 from its four wear values and the damage record's words at
// +84, +88, +92 and +96.
float engineConditionFactor(const float wear[4], float damage84, float damage88, float damage92, float damage96);

// Engine health: the host's running word and health value.
struct EngineHealth {
  int32_t running = 1;
  float health = 1.0f;
};

// Over-rev damage of one step: above 1.05 x the limit the health falls by 0.05 per second; below
// 0.101 the engine stops. Returns true on the step in which it fails.
bool overRevStep(EngineHealth& engine, float speed, float limit, float dt);

// The last 107 engine speeds.
class StallWindow {
 public:
  static constexpr std::size_t kLength = 107;
  StallWindow() { reset(); }
  void reset();
  // Drops the oldest speed and appends this one.
  void push(float speed);
  // Every speed in the window is at or below the threshold.
  bool allAtOrBelow(float threshold) const;

 private:
  std::array<float, kLength> speeds_{};
  std::size_t next_ = 0;
};

struct EngineStepInput {
  float hostTorque = 0.0f;     // the host's own torque for this step
  float speed = 0.0f;          // engine speed, rad/s
  float throttle = 0.0f;
  float limit = 0.0f;          // rev limit, rad/s (revLimitRadPerSecond)
  uint32_t flags = 0;          // the car's engine-type word as loaded
  bool hostTypeBit0 = false;   // bit 0 of the host's engine-type word
  bool running = false;
  bool ignition = false;
  float conditionFactor = 1.0f;
  float densityRatio = 1.0f;
  float frictionTorque = 0.0f;
  bool torqueCutActive = false;
  float torqueCut = 0.0f;      // TorqueCut_QZR; 0.5 when not positive
};

// The engine torque of one step (already divided by 1.05). The window advances only when the
// stall detector is on and a torque curve exists.
float engineTorque(const EngineStepInput& in, const EngineConstants& engine, const LinearSpline* curve,
                   StallWindow& window);

}  // namespace kvl::physics
