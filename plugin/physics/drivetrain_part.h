#pragma once
// The drivetrain set-up that the load pass runs on the host's drivetrain solver (the car's member
// at +1200), the solver's layout as the set-up and the drivetrain hooks read it, and the
// drivetrain values of the loaded car that those hooks share. One car at a time.
#include <cstddef>
#include <cstdint>

#include "plugin/physics/models/brake_model.h"

namespace kvl::physics {

// The host's drivetrain solver: +4 the static drivetrain parameters, +8 the dynamic state, +80
// the starter request, +144 the scratch drive value, +368 a pointer to the auxiliary record, +416
// and +456 the starter's two outputs, +476 the brake telemetry records. (The solver ends before the
// car's engine object at +1680, 480 bytes on, and the starter output at +416 would fall on a
// wheel word of an embedded record: the auxiliary record is reached through its pointer.)
struct HostDrivetrainSolver {
  static constexpr std::size_t kStatic = 4, kState = 8, kStarterRequest = 80, kScratchDrive = 144, kAux = 368;
  static constexpr std::size_t kStarterTorque = 416, kStarterUnscaled = 456, kBrakeRecords = 476;
  static void* auxRecord(const void* solver) noexcept;
  // Within the auxiliary record.
  static constexpr std::size_t kEngaged[3] = {4, 12, 20};
  static constexpr std::size_t kWheelWords = 24, kWheelWordStride = 12;
  static constexpr std::size_t kStarterDrain = 116, kStarterPresent = 124, kFrontBrakes = 128, kStarterCharge = 140;
};

// The static drivetrain parameters: four 240-byte brake corners from +300, the two brake
// temperature thresholds, the inertias, the Features word and the differentials' second value.
struct DrivetrainBlock {
  static constexpr std::size_t kBrakeCorners = 300, kCornerBytes = 240;
  static constexpr std::size_t kTempThresholdLow = 1272, kTempThresholdMid = 1304;
  static constexpr std::size_t kFeatures = 1600, kInertiaFront = 1636, kInertiaRear = 1652, kSecondValue = 2660;
};

// The dynamic state: four 200-byte wheel records from +72 (layer and core temperature at +124 and
// +140), the engine speed at +1116.
struct DrivetrainState {
  static constexpr std::size_t kWheels = 72, kWheelBytes = 200, kLayer = 124, kCore = 140, kEngineSpeed = 1116;
};

// The setup-ranges object's drivetrain words (unsigned).
struct DrivetrainRangeWords {
  static constexpr std::size_t kFeatures = 3640, kTorqueSplit = 3656, kFrontTyreCooling = 3672;
  static constexpr std::size_t kRearTyreCooling = 3688, kTyreHeatFlow = 3704, kDrivelineLoss = 3720;
  // Lock percentages (centre, front, rear; min, max): the renamed Gear0..2 options, the Gear-options' 16-byte stride back from +3640.
  static constexpr std::size_t kLockPercentages = 3544, kLockPercentageStride = 16;
};

// What the set-up leaves for the drivetrain hooks besides the plugin variables.
struct DrivetrainValues {
  std::uint32_t features = 0;       // the car's Features word after the ranges' bits
  std::uint32_t drivelineLoss = 0;  // DriveTrainLoss_QZR, percent
  float handbrakeShare = 1.0f;
  float frontTyreCooling = 6.0f;
  float rearTyreCooling = 6.0f;
};
DrivetrainValues& drivetrainValues();

// The four per-wheel brake records the telemetry reads: a header word, then the fourteen values.
struct BrakeTelemetryRecord {
  std::uint32_t header;
  BrakeTelemetry values;
};
static_assert(sizeof(BrakeTelemetryRecord) == 60, "brake telemetry record");
BrakeTelemetryRecord* brakeTelemetryRecords();

// Runs once per load on the solver.
void setupDrivetrain(void* solver);

}  // namespace kvl::physics
