#pragma once
#include <cstdint>

namespace kvl::physics {

// The Features word: drive type in bits 0..3, the centre, front and rear differential kinds in
// bits 4..7, 8..11 and 12..15.
struct Features {
  uint32_t word = 0;
  // 0..7; 8..15 read as 0.
  int driveType() const;
  // The differential kind of index 0 (centre), 1 (front) or 2 (rear): 0..5; above 5, or any
  // other index, reads as 0.
  int differentialKind(int index) const;
};

// The rear wheels' share of an axle quantity: 0.5, or for drive type 7 TorqueSplit_QZR / 100
// (at most 1).
float rearShareFor(int driveType, uint32_t torqueSplitPercent);

// The share of an axle quantity that wheel w gets: (1 - rear share) for the front wheels 0 and 1,
// the rear share for 2 and 3.
float axleShare(float value, int wheel, float rearShare);

// HandbrakePercentage_QZR after its range check; 0 or less acts as 1.
float handbrakeShareFor(float checkedPercentage);

// The two coefficients of the host's synchronised driveline step.
struct DrivelineCoefficients {
  float first = 0.0005f;
  float second = 0.033333335f;
};
// Divided by (inertia front + inertia rear) / 0.2 when that is positive.
DrivelineCoefficients drivelineCoefficientsFor(float inertiaFront, float inertiaRear);

// The layer and core temperature every brake starts a stage with, in micro-kelvins:
// (low + 2 x mid) / 3 of the two threshold words, without overflow.
uint32_t initialBrakeTemperature(uint32_t thresholdLow, uint32_t thresholdMid);

// Torque after the driveline loss: a positive torque loses DriveTrainLoss_QZR percent.
float applyDrivelineLoss(float torque, uint32_t lossPercent);

// The starter motor. The caller keeps the state for the process (last = 0 at start).
struct StarterState {
  int64_t last = 0;
};
struct StarterInput {
  int64_t now = 0;            // performance clock, microseconds
  bool requested = false;     // the solver's starter request word
  bool present = false;       // the auxiliary record's starter word
  float charge = 0.0f;
  float drainFactor = 0.0f;
  float idle = 0.0f;          // idle speed, rad/s
  float engineSpeed = 0.0f;   // rad/s
  float dt = 0.0f;
};
struct StarterOutput {
  float torque = 0.0f;        // +416
  float unscaled = 0.0f;      // +456
  float charge = 0.0f;
  float engineSpeed = 0.0f;
};
// Full torque from 500001 to 2500000 microseconds after the request was last seen clear.
StarterOutput starterTorque(StarterState& state, const StarterInput& in);

// The car's aerodynamic downforce for one step.
struct DownforceInput {
  float front = 0.0f;          // FrontDownforce_QZR, already scaled by the bodywork factor
  float rear = 0.0f;
  float speed = 0.0f;          // m/s, negative when moving backwards
  float densityRatio = 1.0f;
  float frontPosition = 0.0f;  // sum of the two front wheels' position words
  float rearPosition = 0.0f;
};
struct Downforce {
  float k = 0.0f;
  float frontForce = 0.0f;
  float rearForce = 0.0f;
  float verticalForce = 0.0f;  // added to the car's total vertical force
  float pitchMoment = 0.0f;    // added to the car's pitch moment
};
// The bodywork factor of an aero configuration: 0 gives 1, 1 gives 0.5, 2 gives 0, others 1.
float aeroConfigurationFactor(int32_t configuration);
Downforce downforceFor(const DownforceInput& in);

}  // namespace kvl::physics
