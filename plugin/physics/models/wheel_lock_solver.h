#pragma once
// The wheel-lock steps of the host's drivetrain solver over plain copies of its words: the axle
// output of a locked wheel, the lock test of a free wheel, and the pass loop that releases wheels
// and balances the axles through the centre.
#include <cstdint>

namespace kvl::physics {

struct DrivetrainWheel {
  float value = 0.0f;          // W(50w + 37)
  int32_t direction = 0;       // W(50w + 41): -1, 0, +1; non-zero means locked
  float lockFlag = 0.0f;       // W(50w + 40)
  float lockedTorque = 0.0f;   // W(50w + 62)
  float factor = 0.0f;         // the static factor word
  uint32_t factorBits = 0;     // the same word's bits (a locking wheel's hold flag)
  int32_t axle = 0;            // 0 centre, 1 front, 2 rear; others are skipped
  uint32_t hold = 0;           // hold flag
  float handbrake = 0.0f;      // handbrake torque
  bool hasHandbrake = false;   // the auxiliary record's word
  float output = 0.0f;         // W(332 + w)
};

struct DrivetrainAxle {
  float torque = 0.0f;         // W(5d + 3)
  float sum = 0.0f;            // W(5d + 4)
  int32_t sign = 0;            // W(5d + 5)
  float limit = 0.0f;          // W(5d + 6)
  float spin = 0.0f;           // W(5d + 7)
  float radiusWeight = 0.0f;   // the centre ratio for d = 0
  float driveFlag = 0.0f;
  int32_t wheels[2] = {0, 0};  // right, left
};

struct DrivetrainWords {
  DrivetrainWheel wheel[4];
  DrivetrainAxle axle[3];
  float engineTorque = 0.0f;   // W223
  float driveline = 0.0f;      // W280
  float scratchDrive = 0.0f;   // solver +144
  int32_t locks = 0;           // W361
  int32_t changedPasses = 0;   // W362
  int32_t solveAgain = 0;      // W367
};

// The host's axle test (non-zero: the axle needs another look).
class AxleTest {
 public:
  virtual ~AxleTest() = default;
  virtual bool test(int axle) = 0;
};

// The pass loop gives up after this many passes; the host's next step starts it again.
constexpr int kMaxWheelLockPasses = 32;

void lockedAxleOutput(DrivetrainWords& d, int wheel, float rearShare);
void axleLockTest(DrivetrainWords& d, int wheel, float rearShare);
// Returns the passes run; kMaxWheelLockPasses + 1 means the cap stopped it.
int solveWheelLocks(DrivetrainWords& d, AxleTest& host);
// Spreads an axle's torque and sum over its locked wheels.
void spreadAxle(DrivetrainWords& d, int axle);

// How often the pass loop hit its cap in this process.
int wheelLockCapHits();

}  // namespace kvl::physics
