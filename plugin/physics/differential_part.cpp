#include "plugin/physics/differential_part.h"

#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/car_setup.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/setup_parameter_check.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// The value words of the differential part's two float parameters in the setup values. Its
// sixteen maps (from +108) are neither checked nor read: which map carries which key is the
// game's.
constexpr std::size_t kHandbrakeReleaseValue = CarSetup::kDifferential + 76 + 12;
constexpr std::size_t kLeftFootThresholdValue = CarSetup::kDifferential + 92 + 12;
// In the engine, gearbox and differential block.
constexpr std::size_t kHandbrakeRelease = 408, kLeftFootThreshold = 424;

// The setup ranges' differential block (from +4828): a 12-byte header and twelve float
// parameters from +4840, among them the left-foot brake threshold's minimum and maximum at +4984
// and +5000. A parameter's value is its fourth word: the block adds up only with the parameters
// from +4840, so +4840 itself is a table word. Where the handbrake release's range lies is not
// known: that value is not range-checked.
constexpr std::size_t kValue = 12;
constexpr std::size_t kLeftFootThresholdMin = 4984 + kValue, kLeftFootThresholdMax = 5000 + kValue;

// The host drivetrain parameter block of the car: +4 of its drivetrain solver (the car's member
// at +1200, as the drivetrain set-up takes it).
const void* drivetrainBlockOf(const void* car) {
  return HostCar::wordPointer(HostCar::drivetrain(car), HostDrivetrainSolver::kStatic);
}

}  // namespace

float differentialSpeedScaleFor(float revLimitRpm) {
  return revLimitRpm > 0.0f ? revLimitRpm / 7800.0f * 5000.0f : 5000.0f;
}

void setupDifferentials(void* engineBlockHolder) {
  void* q = HostCar::wordPointer(engineBlockHolder, 0);
  if (q == nullptr) return;
  // The holder is the car's member at +2128.
  const void* car = static_cast<const std::uint8_t*>(engineBlockHolder) - HostCar::kEngine;
  const void* drivetrain = drivetrainBlockOf(car);
  PhysicsVariables& v = physicsVariables();
  v.differentialSpeedScale = differentialSpeedScaleFor(fieldAt<float>(q, kRevLimitRpm));
  const float second = drivetrain == nullptr ? 0.0f : fieldAt<float>(drivetrain, DrivetrainBlock::kSecondValue);
  v.differentialSecond = second > 0.0f ? second : 0.05f;
  void* setup = hostCarSetup();
  if (setup == nullptr) return;
  if (const void* ranges = hostCarSetupRanges()) {
    checkSetupParameter(&fieldAt<float>(setup, kLeftFootThresholdValue), fieldAt<float>(ranges, kLeftFootThresholdMin),
                        fieldAt<float>(ranges, kLeftFootThresholdMax), "LeftFootBrakeThreshold", -1);
  }
  // Written after the check, not before: the log reports a value reset, so the host's block
  // takes the reset value rather than the out-of-range one for the whole stage.
  fieldAt<float>(q, kHandbrakeRelease) = fieldAt<float>(setup, kHandbrakeReleaseValue);
  fieldAt<float>(q, kLeftFootThreshold) = fieldAt<float>(setup, kLeftFootThresholdValue);
}

}  // namespace kvl::physics
