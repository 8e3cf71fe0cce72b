#include "plugin/physics/hooks/wheel_lock_hooks.h"

#include <cstddef>

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/models/wheel_lock_solver.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// Solver fields.
constexpr std::size_t kStatic = 4, kState = 8, kScratchDrive = 144, kHold = 192, kHandbrake = 244;
// Static parameters: per axle (96 bytes) and per wheel (240 bytes).
constexpr std::size_t kAxleDrive = 24, kAxleWheels = 40, kAxleWeight = 72, kWheelFactor = 328, kWheelAxle = 344;

void* pointerAt(void* object, std::size_t offset) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<host::HostWord>(object, offset)));
}

// The state words W: word i at byte 4 i.
template <typename T>
T& word(void* state, int i) {
  return fieldAt<T>(state, 4u * static_cast<std::size_t>(i));
}

struct SolverBlocks {
  void* solver;
  void* params;
  void* state;
};

bool blocksOf(void* solver, SolverBlocks& b) {
  if (solver == nullptr) return false;
  b = {solver, pointerAt(solver, kStatic), pointerAt(solver, kState)};
  return b.params != nullptr && b.state != nullptr;
}

DrivetrainWords load(const SolverBlocks& b) {
  using S = HostDrivetrainSolver;
  DrivetrainWords d;
  const void* aux = S::auxRecord(b.solver);
  for (int w = 0; w < 4; ++w) {
    DrivetrainWheel& x = d.wheel[w];
    x.value = word<float>(b.state, 50 * w + 37);
    x.direction = word<std::int32_t>(b.state, 50 * w + 41);
    x.lockFlag = word<float>(b.state, 50 * w + 40);
    x.lockedTorque = word<float>(b.state, 50 * w + 62);
    x.output = word<float>(b.state, 332 + w);
    x.factor = fieldAt<float>(b.params, kWheelFactor + 240u * w);
    x.factorBits = fieldAt<std::uint32_t>(b.params, kWheelFactor + 240u * w);
    x.axle = fieldAt<std::int32_t>(b.params, kWheelAxle + 240u * w);
    x.hold = fieldAt<std::uint32_t>(b.solver, kHold + 4u * w);
    x.handbrake = fieldAt<float>(b.solver, kHandbrake + 16u * w);
    x.hasHandbrake = aux != nullptr && fieldAt<std::uint32_t>(aux, S::kWheelWords + S::kWheelWordStride * w) != 0;
  }
  for (int k = 0; k < 3; ++k) {
    DrivetrainAxle& a = d.axle[k];
    a.torque = word<float>(b.state, 5 * k + 3);
    a.sum = word<float>(b.state, 5 * k + 4);
    a.sign = word<std::int32_t>(b.state, 5 * k + 5);
    a.limit = word<float>(b.state, 5 * k + 6);
    a.spin = word<float>(b.state, 5 * k + 7);
    a.radiusWeight = fieldAt<float>(b.params, 96u * k + kAxleWeight);
    a.driveFlag = static_cast<float>(fieldAt<std::int32_t>(b.params, 96u * k + kAxleDrive));
    a.wheels[0] = fieldAt<std::int32_t>(b.params, 96u * k + kAxleWheels);
    a.wheels[1] = fieldAt<std::int32_t>(b.params, 96u * k + kAxleWheels + 16);
  }
  d.engineTorque = word<float>(b.state, 223);
  d.driveline = word<float>(b.state, 280);
  d.scratchDrive = fieldAt<float>(b.solver, kScratchDrive);
  d.locks = word<std::int32_t>(b.state, 361);
  d.changedPasses = word<std::int32_t>(b.state, 362);
  d.solveAgain = word<std::int32_t>(b.state, 367);
  return d;
}

void store(const SolverBlocks& b, const DrivetrainWords& d) {
  for (int w = 0; w < 4; ++w) {
    const DrivetrainWheel& x = d.wheel[w];
    word<float>(b.state, 50 * w + 37) = x.value;
    word<std::int32_t>(b.state, 50 * w + 41) = x.direction;
    word<float>(b.state, 50 * w + 40) = x.lockFlag;
    word<float>(b.state, 332 + w) = x.output;
    fieldAt<std::uint32_t>(b.solver, kHold + 4u * w) = x.hold;
  }
  for (int k = 0; k < 3; ++k) {
    word<float>(b.state, 5 * k + 3) = d.axle[k].torque;
    word<float>(b.state, 5 * k + 4) = d.axle[k].sum;
    word<std::int32_t>(b.state, 5 * k + 5) = d.axle[k].sign;
  }
  word<std::int32_t>(b.state, 361) = d.locks;
  word<std::int32_t>(b.state, 362) = d.changedPasses;
  word<std::int32_t>(b.state, 367) = d.solveAgain;
}

class HostAxleTest : public AxleTest {
 public:
  explicit HostAxleTest(void* solver) : solver_(solver) {}
  bool test(int axle) override {
    return host::hostBool(host::hostFunction<0x506B20, std::uint8_t(QZR_THISCALL*)(void*, std::int32_t)>()(solver_, axle));
  }

 private:
  void* solver_;
};

template <typename Step>
void onWords(void* solver, Step step) noexcept {
  try {
    SolverBlocks b;
    if (!blocksOf(solver, b)) return;
    DrivetrainWords d = load(b);
    step(d);
    store(b, d);
  } catch (...) {
  }
}

bool validWheel(std::int32_t wheel) { return wheel >= 0 && wheel <= 3; }

}  // namespace

void QZR_THISCALL axleTorqueHook(void* solver, std::int32_t wheel) noexcept {
  if (!validWheel(wheel)) return;
  onWords(solver, [wheel](DrivetrainWords& d) { lockedAxleOutput(d, wheel, physicsVariables().rearShare); });
}

void QZR_THISCALL axleLockTestHook(void* solver, std::int32_t wheel) noexcept {
  if (!validWheel(wheel)) return;
  onWords(solver, [wheel](DrivetrainWords& d) { axleLockTest(d, wheel, physicsVariables().rearShare); });
}

void QZR_THISCALL solveWheelLocksHook(void* solver) noexcept {
  HostAxleTest host(solver);
  onWords(solver, [&host](DrivetrainWords& d) { solveWheelLocks(d, host); });
}

}  // namespace kvl::physics
