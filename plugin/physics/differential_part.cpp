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

// The value words of the differential part's two float parameters in the setup values, and of
// its maps: sixteen maps of eleven parameters (16 bytes each, value at +12) from +108, in the
// order of DifferentialMap.
constexpr std::size_t kHandbrakeReleaseValue = CarSetup::kDifferential + 76 + 12;
constexpr std::size_t kLeftFootThresholdValue = CarSetup::kDifferential + 92 + 12;
constexpr std::size_t mapValue(int map, int point) {
  return CarSetup::kDifferential + 108 + 176 * static_cast<std::size_t>(map) + 16 * static_cast<std::size_t>(point) + 12;
}
// In the engine, gearbox and differential block.
constexpr std::size_t kHandbrakeRelease = 408, kLeftFootThreshold = 424, kSecondValue = 2660;

// The setup ranges' differential block (from +4828): value words of the map-value range
// (minimum, maximum), the speed-map range (not checked here), then the handbrake release and
// the left-foot brake threshold ranges, each a triple of 16-byte parameters.
constexpr std::size_t kMapRangeMin = 4840, kMapRangeMax = 4856;
constexpr std::size_t kHandbrakeReleaseMin = 4936, kHandbrakeReleaseMax = 4952;
constexpr std::size_t kLeftFootThresholdMin = 4984, kLeftFootThresholdMax = 5000;
// The lock percentages (unsigned): centre, front, rear minimum and maximum, 16 bytes apart.
constexpr std::size_t kLockPctMin = 3544, kLockPctStride = 32;

// The car's Features word as the drivetrain set-up leaves it: its own bits and the ranges'.
std::uint32_t featuresOf(const void* car, const void* ranges) {
  std::uint32_t features = ranges == nullptr ? 0u : fieldAt<std::uint32_t>(ranges, DrivetrainRangeWords::kFeatures);
  // The drivetrain solver is the car's member at +1200, as the drivetrain set-up takes it.
  const void* solver = static_cast<const std::uint8_t*>(car) + HostCar::kDrivetrain;
  const void* block = HostCar::wordPointer(solver, HostDrivetrainSolver::kStatic);
  if (block != nullptr) features |= fieldAt<std::uint32_t>(block, DrivetrainBlock::kFeatures);
  return features;
}

MapRangeInputs mapRangeInputs(std::uint32_t features, const void* ranges) {
  MapRangeInputs in;
  const Features f{features};
  in.driveType = f.driveType();
  for (int d = 0; d < 3; ++d) {
    if (features >= 4) in.selector[d] = f.differentialKind(d);
    in.lockPctMin[d] = fieldAt<std::uint32_t>(ranges, kLockPctMin + kLockPctStride * d);
    in.lockPctMax[d] = fieldAt<std::uint32_t>(ranges, kLockPctMin + kLockPctStride * d + 16);
  }
  in.low = fieldAt<float>(ranges, kMapRangeMin);
  in.high = fieldAt<float>(ranges, kMapRangeMax);
  return in;
}

void checkMaps(void* setup, const void* ranges, std::uint32_t features) {
  for (const MapRangeCheck& c : differentialMapChecks(mapRangeInputs(features, ranges))) {
    checkSetupParameter(&fieldAt<float>(setup, mapValue(c.map, c.point)), c.low, c.high, differentialMapName(c.map),
                        c.point);
  }
  checkSetupParameter(&fieldAt<float>(setup, kHandbrakeReleaseValue), fieldAt<float>(ranges, kHandbrakeReleaseMin),
                      fieldAt<float>(ranges, kHandbrakeReleaseMax), "CenterDiffHandbrakeRelease", -1);
  checkSetupParameter(&fieldAt<float>(setup, kLeftFootThresholdValue), fieldAt<float>(ranges, kLeftFootThresholdMin),
                      fieldAt<float>(ranges, kLeftFootThresholdMax), "LeftFootBrakeThreshold", -1);
}

}  // namespace

float differentialSpeedScaleFor(float revLimitRpm) {
  return revLimitRpm > 0.0f ? revLimitRpm / 7800.0f * 5000.0f : 5000.0f;
}

void checkDifferentialMaps(void* engineBlockHolder) {
  void* q = HostCar::wordPointer(engineBlockHolder, 0);
  if (q == nullptr) return;
  PhysicsVariables& v = physicsVariables();
  v.differentialSpeedScale = differentialSpeedScaleFor(fieldAt<float>(q, kRevLimitRpm));
  const float second = fieldAt<float>(q, kSecondValue);
  v.differentialSecond = second > 0.0f ? second : 0.05f;
  void* setup = hostCarSetup();
  if (setup == nullptr) return;
  if (const void* ranges = hostCarSetupRanges()) {
    // The holder is the car's member at +2128.
    const void* car = static_cast<const std::uint8_t*>(engineBlockHolder) - HostCar::kEngine;
    checkMaps(setup, ranges, featuresOf(car, ranges));
  }
  // The block takes the values as checked, so that a value out of its range never reaches the
  // host's differential code.
  fieldAt<float>(q, kHandbrakeRelease) = fieldAt<float>(setup, kHandbrakeReleaseValue);
  fieldAt<float>(q, kLeftFootThreshold) = fieldAt<float>(setup, kLeftFootThresholdValue);
}

}  // namespace kvl::physics
