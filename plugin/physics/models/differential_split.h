#pragma once
// The torque split of the plugin's drive types 4 to 7 over plain copies of the drivetrain
// solver's words: each wheel's drive and resistance, the locking torques of the front, rear and
// centre differentials, and the solve of one driven axle.
#include <cstdint>

namespace kvl::physics {

// A wheel as the split sees it.
struct SplitWheel {
  float drive = 0.0f;        // t: the factor word truncated to an integer x its axle's drive flag
  float speed = 0.0f;        // W(50i + 25)
  float direction = 0.0f;    // W(50i + 29)
  float acceleration = 0.0f; // W(50i + 21)
  float inertia = 0.0f;      // W(50i + 45)
  float lockedTorque = 0.0f; // W(50i + 62)
  float handbrake = 0.0f;    // the solver's handbrake torque of the wheel
  bool aux = false;          // the auxiliary record's word of the wheel
};

// a_i and b_i of a wheel; axleDrive is the radius weight of its axle x 0.5 x the engine torque
// left after the driveline's share.
struct SplitSide {
  float a = 0.0f;
  float b = 0.0f;
};
SplitSide splitSide(const SplitWheel& w, int wheel, float axleDrive, float rearShare);

// One differential's locks from its map point 0: bias ratios of the capped values (at least 1),
// and the throttle value as loaded for the viscous kind.
struct DifferentialLocks {
  float throttleBias = 1.0f;
  float brakeBias = 1.0f;
  float throttleLock = 0.0f;
};
DifferentialLocks differentialLocks(float throttlePoint0, float brakePoint0);

// Below this a side carries no drive.
constexpr float kIdleDrive = 1.0f / 8388608.0f;  // 2^-23

// The drivetrain words one axle solve reads and writes, word i of the solver's dynamic state at
// words[i]; floats and integers as the host keeps them.
class AxleSolveHost {
 public:
  virtual ~AxleSolveHost() = default;
  // The host's wheel step for wheel w.
  virtual void wheelStep(int wheel, float dt) = 0;
};

struct AxleStatics {
  float radiusWeight[3] = {0, 0, 0};
  float driveFlag[3] = {0, 0, 0};
  int32_t wheels[3][2] = {{0, 0}, {0, 0}, {0, 0}};
  float factor[4] = {0, 0, 0, 0};
  uint32_t factorBits[4] = {0, 0, 0, 0};
  int32_t axle[4] = {0, 0, 0, 0};
  bool aux[4] = {false, false, false, false};
  float handbrake[4] = {0, 0, 0, 0};
};

struct AxleSolverState {
  uint32_t* words;        // the dynamic state, at least 368 words
  uint32_t* hold;         // the solver's four hold flags
  float* scratchDrive;    // the solver's scratch drive value
  float scratch[3];       // the solve's scratch values 0 and a
};

// The plugin's solve of axle a (1 front, 2 rear). A singular axle matrix leaves the axle free;
// the re-summing of the axle stops after 32 passes.
void solveAxle(AxleSolverState& s, const AxleStatics& statics, int a, float dt, AxleSolveHost& host);

}  // namespace kvl::physics
