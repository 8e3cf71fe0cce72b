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

// Checks the float at object + offset in place against the range whose minimum and maximum value
// words lie at ranges + range and 16 bytes on.
bool checkAgainst(float* value, const void* ranges, std::size_t range, const char* name) {
  return checkSetupParameter(value, fieldAt<float>(ranges, range), fieldAt<float>(ranges, range + 16), name, -1);
}

// The three differential maximum torques of the drivetrain block against the torque ranges.
void checkDifferentialTorques(void* d, const void* ranges) {
  static const char* const kNames[3] = {"CenterDiffMaxTorque", "FrontDiffMaxTorque", "RearDiffMaxTorque"};
  const fields::DifferentialValue kValues[3] = {fields::kCentreTorque, fields::kFrontTorque, fields::kRearTorque};
  for (int i = 0; i < 3; ++i) {
    checkAgainst(&fieldAt<float>(d, fields::chosen::kDiffMaxTorque[i]), ranges,
                 fields::differentialRange(kValues[i]) + 12, kNames[i]);
  }
}

// The setup's two maximum brake pressures, checked on copies; when a copy was reset, the block's
// total pressure and the corners' shares follow the checked pair.
void checkBrakePressures(void* d, const void* setup, const void* ranges) {
  float front = fieldAt<float>(setup, fields::chosen::kMaxBrakePressure[0]);
  float rear = fieldAt<float>(setup, fields::chosen::kMaxBrakePressure[1]);
  const bool frontKept = checkAgainst(&front, ranges, fields::chosen::kMaxBrakePressureRange[0], "MaxBrakePressureFront");
  const bool rearKept = checkAgainst(&rear, ranges, fields::chosen::kMaxBrakePressureRange[1], "MaxBrakePressureRear");
  if (frontKept && rearKept) return;
  const BrakeShares shares = brakeSharesFor(front, rear);
  fieldAt<float>(d, DrivetrainBlock::kTotalBrakePressure) = shares.total;
  for (std::size_t w = 0; w < 4; ++w) {
    fieldAt<float>(d, DrivetrainBlock::kBrakeCorners + DrivetrainBlock::kCornerBytes * w + DrivetrainBlock::kShare) =
        w < 2 ? shares.front : shares.rear;
  }
}

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
  void* setup = hostCarSetup();
  if (ranges != nullptr) {
    if (d != nullptr) checkDifferentialTorques(d, ranges);
    if (d != nullptr && setup != nullptr) checkBrakePressures(d, setup, ranges);
    if (setup != nullptr) {
      float& handbrake = fieldAt<float>(setup, fields::kHandbrakePercentage + 12);
      checkSetupParameter(&handbrake, 0.0f, 1.0f, "HandbrakePercentage_QZR", -1);
      values.handbrakeShare = handbrakeShareFor(handbrake);
    }
    values.frontBrakeSlope = fieldAt<float>(ranges, fields::chosen::kBrakeVelSlope[0]);
    values.rearBrakeSlope = fieldAt<float>(ranges, fields::chosen::kBrakeVelSlope[1]);
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
