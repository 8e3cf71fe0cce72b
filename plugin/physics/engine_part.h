#pragma once
// The engine set-up that the load pass runs on the car's engine object (the car's member at
// +1680), and what it leaves for the engine step: the car's engine-type flags, the torque curve
// and the window of recent engine speeds. One car at a time.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "plugin/foundation/maths/linear_spline.h"
#include "plugin/physics/models/engine_model.h"

namespace kvl::physics {

// The host's engine object: +4 the engine block, +8 its dynamic record, +32 the throttle, +68 the
// car, +72 the state and damage record.
struct HostEngine {
  static constexpr std::size_t kBlock = 4, kDynamic = 8, kThrottle = 32, kCar = 68, kState = 72;
};

// The host's engine block: float words at 12 + 4 x the key's field locator.
struct EngineBlock {
  static constexpr std::size_t kBytes = 10368;
  static constexpr std::size_t kCompressorCoefficient = 40, kTurbineCoefficient = 56;
  static constexpr std::size_t kWasteGateMinimum = 120, kWasteGateMaximum = 136;
  static constexpr std::size_t kCompressorMapCount = 156, kCompressorMaps = 160;
  static constexpr std::size_t kTurbineMapCount = 164, kTurbineMaps = 168;
  static constexpr std::size_t kFlowRows = 508, kFlowRowCount = 256, kFlowRowBytes = 32;
  static constexpr std::size_t kFlowWords[9] = {8700, 8704, 8708, 8724, 8728, 8732, 8748, 8752, 8756};
  static constexpr std::size_t kTorqueSpeeds = 8784, kTorques = 8800, kTorquePointBytes = 32;
  static constexpr std::size_t kCylinderVolume = 9808, kGains = 9812, kDissipatedHeat = 9896;
  static constexpr std::size_t kInletPipeArea = 9944, kEngineType = 9976, kHostEngineMass = 10012;
  static constexpr std::size_t kCoolantUpperBound = 10084, kRadiatorUpperBound = 10140;
  static constexpr std::size_t kTorqueCut = 10300, kEngineMass = 10364;
};

// The setup-ranges object's three engine values (unsigned words).
struct EngineRangeWords {
  static constexpr std::size_t kIdleRpm = 5056, kMaxTorque = 5072, kBrakeCoefficient = 5088;
};

// The host's engine, gearbox and differential block (the pointer at +2128 of the car): its rev
// limit in rpm.
constexpr std::size_t kCarEngineBlock = 2128, kRevLimitRpm = 392;

struct EngineRuntime {
  std::uint32_t flags = 0;               // the car's EngineType_QZR word as loaded
  std::unique_ptr<LinearSpline> curve;   // null without the plugin's engine model
  StallWindow window;
};
EngineRuntime& engineRuntime();

// The host's rev limit of the car in rad/s (the default limit without a block).
float carRevLimit(const void* car);
// The atmosphere globals from the car's altitude (+328).
void updateAtmosphere(const void* car);

// Runs once per load on the engine object. A torque curve whose speeds do not rise throws; the
// car then keeps the host's engine (flags 0) until the next load.
void setupEngine(void* engineObject);

}  // namespace kvl::physics
