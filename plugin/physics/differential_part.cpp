#include "plugin/physics/differential_part.h"

#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/car_setup.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/differential_map_ranges.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/setup_parameter_check.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// The value words of the differential part's two float parameters in the setup values, the
// handbrake release before the left-foot threshold as the engine block keeps them (+408, +424).
// Its sixteen maps (from +108) are not read: which of them carries which key is the game's.
constexpr std::size_t kHandbrakeReleaseValue = CarSetup::kDifferential + 76 + 12;
constexpr std::size_t kLeftFootThresholdValue = CarSetup::kDifferential + 92 + 12;
// In the engine, gearbox and differential block: the two values, and its twelve maps' points in
// DifferentialMap order (throttle and brake points 16 bytes apart, speed points 32).
constexpr std::size_t kHandbrakeRelease = 408, kLeftFootThreshold = 424;
constexpr std::size_t kMapStart[kDifferentialMaps] = {440, 616, 808, 1144, 1320, 1512, 1848, 2024, 2216, 2552, 2728, 2920};
constexpr std::size_t mapValue(int map, int point) {
  return kMapStart[map] + (map % 3 == 2 ? 32u : 16u) * static_cast<std::size_t>(point);
}

// The setup ranges' differential block (from +4828): a 12-byte header and twelve float
// parameters from +4840, among them the map-value range (minimum, maximum) at +4840 and +4856
// and the left-foot brake threshold's at +4984 and +5000. A parameter's value is its fourth word:
// the block adds up only with the parameters from +4840, so +4840 itself is a table word. Where
// the handbrake release's range lies is not known: that value is not range-checked.
constexpr std::size_t kValue = 12;
constexpr std::size_t kMapRangeMin = 4840 + kValue, kMapRangeMax = 4856 + kValue;
constexpr std::size_t kLeftFootThresholdMin = 4984 + kValue, kLeftFootThresholdMax = 5000 + kValue;

// The host drivetrain parameter block of the car: +4 of its drivetrain solver (the car's member
// at +1200, as the drivetrain set-up takes it).
const void* drivetrainBlockOf(const void* car) {
  return HostCar::wordPointer(HostCar::drivetrain(car), HostDrivetrainSolver::kStatic);
}

// The car's Features word as the drivetrain set-up leaves it: its own bits and the ranges'.
std::uint32_t featuresOf(const void* block, const void* ranges) {
  std::uint32_t features = fieldAt<std::uint32_t>(ranges, DrivetrainRangeWords::kFeatures);
  if (block != nullptr) features |= fieldAt<std::uint32_t>(block, DrivetrainBlock::kFeatures);
  return features;
}

MapRangeInputs mapRangeInputs(std::uint32_t features, const void* ranges) {
  using R = DrivetrainRangeWords;
  MapRangeInputs in;
  const Features f{features};
  in.driveType = f.driveType();
  for (int d = 0; d < 3; ++d) {
    if (features >= 4) in.selector[d] = f.differentialKind(d);
    in.lockPctMin[d] = fieldAt<std::uint32_t>(ranges, R::kLockPercentages + R::kLockPercentageStride * (2 * d));
    in.lockPctMax[d] = fieldAt<std::uint32_t>(ranges, R::kLockPercentages + R::kLockPercentageStride * (2 * d + 1));
  }
  in.low = fieldAt<float>(ranges, kMapRangeMin);
  in.high = fieldAt<float>(ranges, kMapRangeMax);
  return in;
}

}  // namespace

// An engine without a rev limit (0 or below) keeps the scale a car starts with: the limit's own
// scale would bring the host's differential speeds to 0 or turn them round.
float differentialSpeedScaleFor(float revLimitRpm) {
  return revLimitRpm > 0.0f ? revLimitRpm / 7800.0f * 5000.0f : 5000.0f;
}

void checkDifferentialMaps(void* engineBlockHolder) {
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
    for (const MapRangeCheck& c : differentialMapChecks(mapRangeInputs(featuresOf(drivetrain, ranges), ranges))) {
      checkSetupParameter(&fieldAt<float>(q, mapValue(c.map, c.point)), c.low, c.high, differentialMapName(c.map),
                          c.point);
    }
    checkSetupParameter(&fieldAt<float>(setup, kLeftFootThresholdValue), fieldAt<float>(ranges, kLeftFootThresholdMin),
                        fieldAt<float>(ranges, kLeftFootThresholdMax), "LeftFootBrakeThreshold", -1);
  }
  // Written after the check, not before: the log reports a value reset, so the host's block
  // takes the reset value rather than the out-of-range one for the whole stage.
  fieldAt<float>(q, kHandbrakeRelease) = fieldAt<float>(setup, kHandbrakeReleaseValue);
  fieldAt<float>(q, kLeftFootThreshold) = fieldAt<float>(setup, kLeftFootThresholdValue);
}

}  // namespace kvl::physics
