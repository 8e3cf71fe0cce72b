#include "plugin/physics/hooks/split_torque_hook.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/differential_model.h"
#include "plugin/physics/models/differential_split.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using S = HostDrivetrainSolver;

// The car behind the dynamic state; its speed, parameters, aero record, wheels and the words the
// downforce step writes.
constexpr std::size_t kStateCar = 1408, kCarSpeed = 5624, kAeroRecord = 2548, kAeroFront = 15796, kAeroRear = 15804;
constexpr std::size_t kFrontDownforce = 508, kRearDownforce = 524, kWheelPosition = 2228;
constexpr std::size_t kDownforceK = 1188, kFrontForce = 1192, kRearForce = 1196, kVerticalForce = 888, kPitchMoment = 784;
constexpr std::size_t kCarHandbrake = 2148;
// The engine, gearbox and differential block: map point 0 of each differential's throttle and
// brake maps, the handbrake release.
constexpr std::size_t kThrottleMap[3] = {440, 1848, 2552}, kBrakeMap[3] = {616, 2024, 2728}, kHandbrakeRelease = 408;
// The static parameters per differential (96 bytes) and per wheel (240 bytes).
constexpr std::size_t kDriveFlag = 24, kAxleWheels = 40, kRadiusWeight = 72, kPreload = 88, kWheelFactor = 328, kWheelAxle = 344;

template <typename T>
T& word(void* state, int i) {
  return fieldAt<T>(state, 4u * static_cast<std::size_t>(i));
}

void applyDownforce(void* car) {
  PhysicsVariables& v = physicsVariables();
  const float ratio = densityRatio(v.air);
  v.halfDensityRatio = ratio * 0.5f;
  if (car == nullptr) return;
  for (std::size_t o : {kDownforceK, kFrontForce, kRearForce}) fieldAt<float>(car, o) = 0.0f;
  const void* params = HostCar::parameterBlock(car);
  if (params == nullptr) return;
  const void* aero = HostCar::wordPointer(car, kAeroRecord);
  DownforceInput in;
  in.front = fieldAt<float>(params, kFrontDownforce) * (aero ? aeroConfigurationFactor(fieldAt<std::int32_t>(aero, kAeroFront)) : 1.0f);
  in.rear = fieldAt<float>(params, kRearDownforce) * (aero ? aeroConfigurationFactor(fieldAt<std::int32_t>(aero, kAeroRear)) : 1.0f);
  in.speed = fieldAt<float>(car, kCarSpeed);
  in.densityRatio = ratio;
  auto position = [car](int i) {
    const void* wheel = HostCar::wheel(car, i);
    return wheel == nullptr ? 0.0f : fieldAt<float>(wheel, kWheelPosition);
  };
  in.frontPosition = position(0) + position(1);
  in.rearPosition = position(2) + position(3);
  const Downforce d = downforceFor(in);
  fieldAt<float>(car, kDownforceK) = d.k;
  fieldAt<float>(car, kFrontForce) = d.frontForce;
  fieldAt<float>(car, kRearForce) = d.rearForce;
  fieldAt<float>(car, kVerticalForce) += d.verticalForce;
  fieldAt<float>(car, kPitchMoment) += d.pitchMoment;
}

struct Blocks {
  void* solver;
  void* params;
  void* state;
  void* car;
  void* engine;  // the engine, gearbox and differential block
};

AxleStatics staticsOf(const Blocks& b) {
  AxleStatics st;
  for (int d = 0; d < 3; ++d) {
    st.radiusWeight[d] = fieldAt<float>(b.params, 96u * d + kRadiusWeight);
    st.driveFlag[d] = static_cast<float>(fieldAt<std::int32_t>(b.params, 96u * d + kDriveFlag));
    st.wheels[d][0] = fieldAt<std::int32_t>(b.params, 96u * d + kAxleWheels);
    st.wheels[d][1] = fieldAt<std::int32_t>(b.params, 96u * d + kAxleWheels + 16);
  }
  for (int w = 0; w < 4; ++w) {
    st.factor[w] = fieldAt<float>(b.params, kWheelFactor + 240u * w);
    st.factorBits[w] = fieldAt<std::uint32_t>(b.params, kWheelFactor + 240u * w);
    st.axle[w] = fieldAt<std::int32_t>(b.params, kWheelAxle + 240u * w);
    const void* aux = S::auxRecord(b.solver);
    st.aux[w] = aux != nullptr && fieldAt<std::uint32_t>(aux, S::kWheelWords + S::kWheelWordStride * w) != 0;
    st.handbrake[w] = fieldAt<float>(b.solver, 244u + 16u * w);
  }
  return st;
}

// The locking torques of the three differentials (W6, W11, W16).
void lockDifferentials(const Blocks& b, const AxleStatics& st, const Features& features) {
  void* w = b.state;
  const float engineTorque = word<float>(w, 223);
  const float e = engineTorque - word<float>(w, 280) * fieldAt<float>(b.solver, S::kScratchDrive);
  SplitSide side[4];
  for (int i = 0; i < 4; ++i) {
    const int k = st.axle[i];
    if (k < 0 || k > 2) continue;
    SplitWheel x;
    x.drive = static_cast<float>(static_cast<std::int32_t>(st.factor[i])) * st.driveFlag[k];
    x.speed = word<float>(w, 50 * i + 25);
    x.direction = word<float>(w, 50 * i + 29);
    x.acceleration = word<float>(w, 50 * i + 21);
    x.inertia = word<float>(w, 50 * i + 45);
    x.lockedTorque = word<float>(w, 50 * i + 62);
    x.handbrake = st.handbrake[i];
    x.aux = st.aux[i];
    side[i] = splitSide(x, i, st.radiusWeight[k] * 0.5f * e, physicsVariables().rearShare);
  }
  const float maxTorque = physicsVariables().engine.maxTorque;
  auto lockOf = [&](int d, float sideA, float sideB, bool idle) {
    const DifferentialLocks locks = differentialLocks(fieldAt<float>(b.engine, kThrottleMap[d]), fieldAt<float>(b.engine, kBrakeMap[d]));
    DifferentialInput in;
    in.kind = features.differentialKind(d);
    in.current = word<float>(w, 5 * d + 6);
    in.sideA = sideA;
    in.sideB = sideB;
    in.bias = engineTorque < 0.0f ? locks.brakeBias : locks.throttleBias;
    in.preload = fieldAt<float>(b.params, 96u * d + kPreload);
    in.speedDifference = word<float>(w, 5 * d + 4);
    in.maxTorque = maxTorque;
    in.uncappedLock = locks.throttleLock;
    in.idle = idle;
    word<float>(w, 5 * d + 6) = differentialLock(in);
  };
  for (int i : {0, 2}) {
    const int d = st.axle[i];
    if (d < 0 || d > 2) continue;
    lockOf(d, side[i].b, side[i + 1].b, side[i].a < kIdleDrive && side[i + 1].a < kIdleDrive);
  }
  bool idle = true;
  for (const SplitSide& s : side) idle = idle && s.a < kIdleDrive;
  lockOf(0, side[0].b + side[1].b, side[2].b + side[3].b, idle);

  if (b.car != nullptr && fieldAt<float>(b.car, kCarHandbrake) > fieldAt<float>(b.engine, kHandbrakeRelease)) word<float>(w, 6) = 0.0f;
  const void* aux = S::auxRecord(b.solver);
  for (int d = 0; d < 3; ++d) {
    const bool engaged = aux != nullptr && fieldAt<std::uint32_t>(aux, S::kEngaged[d]) != 0;
    if (!engaged && features.differentialKind(d) != kDiffLocked) {
      word<float>(w, 5 * d + 6) = 0.0f;
    }
  }
}

class HostWheelStep : public AxleSolveHost {
 public:
  explicit HostWheelStep(void* solver) : solver_(solver) {}
  void wheelStep(int wheel, float dt) override {
    host::hostFunction<0x503870, void(QZR_THISCALL*)(void*, std::int32_t, float)>()(solver_, wheel, dt);
  }

 private:
  void* solver_;
};

std::uint32_t hostStep(void* solver, float dt) {
  return host::hostFunction<0x509BC0, std::uint32_t(QZR_THISCALL*)(void*, float)>()(solver, dt);
}

}  // namespace

std::uint32_t QZR_THISCALL splitTorqueHook(void* solver, float dt) noexcept {
  try {
    Blocks b{solver, HostCar::wordPointer(solver, S::kStatic), HostCar::wordPointer(solver, S::kState), nullptr, nullptr};
    if (b.params == nullptr || b.state == nullptr) return hostStep(solver, dt);
    b.car = HostCar::wordPointer(b.state, kStateCar);
    b.engine = b.car == nullptr ? nullptr : HostCar::wordPointer(b.car, kCarEngineBlock);
    applyDownforce(b.car);
    float& engineTorque = word<float>(b.state, 223);
    engineTorque = applyDrivelineLoss(engineTorque, drivetrainValues().drivelineLoss);
    const Features features{fieldAt<std::uint32_t>(b.params, DrivetrainBlock::kFeatures)};
    const int type = features.driveType();
    if (type < 4 || b.engine == nullptr) return hostStep(solver, dt);
    const AxleStatics st = staticsOf(b);
    lockDifferentials(b, st, features);
    if (type == 4 || type == 5) {
      AxleSolverState s{static_cast<std::uint32_t*>(b.state), &fieldAt<std::uint32_t>(solver, 192),
                        &fieldAt<float>(solver, S::kScratchDrive), {0, 0, 0}};
      HostWheelStep host(solver);
      solveAxle(s, st, type == 4 ? 1 : 2, dt, host);
      fieldAt<float>(solver, 160) = s.scratch[0];
      fieldAt<float>(solver, 160 + 4u * static_cast<std::size_t>(type == 4 ? 1 : 2)) = s.scratch[type == 4 ? 1 : 2];
      return 0;
    }
    return hostStep(solver, dt);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::physics
