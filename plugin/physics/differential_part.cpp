#include "plugin/physics/differential_part.h"

#include <cstddef>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/car_setup.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// The value words of the differential part's two float parameters in the setup values.
constexpr std::size_t kHandbrakeReleaseValue = CarSetup::kDifferential + 76 + 12;
constexpr std::size_t kLeftFootThresholdValue = CarSetup::kDifferential + 92 + 12;
// In the engine, gearbox and differential block.
constexpr std::size_t kHandbrakeRelease = 408, kLeftFootThreshold = 424, kSecondValue = 2660;

}  // namespace

float differentialSpeedScaleFor(float revLimitRpm) {
  return revLimitRpm > 0.0f ? revLimitRpm / 7800.0f * 5000.0f : 5000.0f;
}

void checkDifferentialMaps(void* engineBlockHolder) {
  void* q = HostCar::wordPointer(engineBlockHolder, 0);
  if (q == nullptr) return;
  if (const void* setup = hostCarSetup()) {
    fieldAt<float>(q, kHandbrakeRelease) = fieldAt<float>(setup, kHandbrakeReleaseValue);
    fieldAt<float>(q, kLeftFootThreshold) = fieldAt<float>(setup, kLeftFootThresholdValue);
  }
  PhysicsVariables& v = physicsVariables();
  v.differentialSpeedScale = differentialSpeedScaleFor(fieldAt<float>(q, kRevLimitRpm));
  const float second = fieldAt<float>(q, kSecondValue);
  v.differentialSecond = second > 0.0f ? second : 0.05f;
}

}  // namespace kvl::physics
