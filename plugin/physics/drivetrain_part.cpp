#include "plugin/physics/drivetrain_part.h"

#include "plugin/gui/car_setup_fields.h"
#include "plugin/host/binding/abi.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/setup_parameter_check.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using S = HostDrivetrainSolver;
namespace fields = gui::setup_fields;

}  // namespace

void* HostDrivetrainSolver::auxRecord(const void* solver) noexcept { return HostCar::wordPointer(solver, kAux); }

DrivetrainValues& drivetrainValues() {
  static DrivetrainValues values;
  return values;
}

BrakeTelemetryRecord* brakeTelemetryRecords() {
  static BrakeTelemetryRecord records[4] = {};
  return records;
}

void setupDrivetrain(void* solver) {
  void* d = HostCar::wordPointer(solver, S::kStatic);
  void* state = HostCar::wordPointer(solver, S::kState);
  const void* ranges = hostCarSetupRanges();
  PhysicsVariables& v = physicsVariables();
  DrivetrainValues& values = drivetrainValues();
  auto rangeWord = [ranges](std::size_t offset) {
    return ranges == nullptr ? 0u : fieldAt<std::uint32_t>(ranges, offset);
  };

  fieldAt<host::HostWord>(solver, S::kBrakeRecords) =
      static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(brakeTelemetryRecords()));
  values = DrivetrainValues{};
  if (d != nullptr) {
    std::uint32_t& features = fieldAt<std::uint32_t>(d, DrivetrainBlock::kFeatures);
    features |= rangeWord(DrivetrainRangeWords::kFeatures);
    values.features = features;
  }
  v.rearShare = rearShareFor(Features{values.features}.driveType(), rangeWord(DrivetrainRangeWords::kTorqueSplit));
  // The differential maximum torques and the maximum brake pressures are not checked: the host
  // places neither those values nor their ranges where the plugin could know them.
  void* setup = hostCarSetup();
  if (setup != nullptr) {
    float& handbrake = fieldAt<float>(setup, fields::kHandbrakePercentage + 12);
    checkSetupParameter(&handbrake, 0.0f, 1.0f, "HandbrakePercentage_QZR", -1);
    values.handbrakeShare = handbrakeShareFor(handbrake);
  }
  values.drivelineLoss = rangeWord(DrivetrainRangeWords::kDrivelineLoss);

  v.driveline = d == nullptr ? DrivelineCoefficients{}
                             : drivelineCoefficientsFor(fieldAt<float>(d, DrivetrainBlock::kInertiaFront),
                                                        fieldAt<float>(d, DrivetrainBlock::kInertiaRear));
  auto factor = [&](std::size_t offset, float fallback) {
    const std::uint32_t value = rangeWord(offset);
    return value != 0 ? static_cast<float>(value) : fallback;
  };
  values.frontTyreCooling = factor(DrivetrainRangeWords::kFrontTyreCooling, 6.0f);
  values.rearTyreCooling = factor(DrivetrainRangeWords::kRearTyreCooling, 6.0f);
  v.tyreHeatFlow = factor(DrivetrainRangeWords::kTyreHeatFlow, 800.0f);

  if (d != nullptr && state != nullptr) {
    const std::uint32_t start = initialBrakeTemperature(fieldAt<std::uint32_t>(d, DrivetrainBlock::kTempThresholdLow),
                                                        fieldAt<std::uint32_t>(d, DrivetrainBlock::kTempThresholdMid));
    for (std::size_t w = 0; w < 4; ++w) {
      const std::size_t wheel = DrivetrainState::kWheels + DrivetrainState::kWheelBytes * w;
      fieldAt<std::uint32_t>(state, wheel + DrivetrainState::kLayer) = start;
      fieldAt<std::uint32_t>(state, wheel + DrivetrainState::kCore) = start;
    }
  }
}

}  // namespace kvl::physics
