#include "plugin/physics/hooks/starter_hook.h"

#include "plugin/foundation/clocks/perf_clock.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {

float QZR_THISCALL starterTorqueHook(void* solver, float dt) noexcept {
  using host::fieldAt;
  using S = HostDrivetrainSolver;
  try {
    static StarterState starter;
    void* state = HostCar::wordPointer(solver, S::kState);
    void* aux = S::auxRecord(solver);
    if (aux == nullptr) return 0.0f;
    StarterInput in;
    in.now = PerfClock::microseconds();
    in.requested = fieldAt<std::int32_t>(solver, S::kStarterRequest) != 0;
    in.present = fieldAt<std::int32_t>(aux, S::kStarterPresent) != 0;
    float& charge = fieldAt<float>(aux, S::kStarterCharge);
    in.charge = charge;
    in.drainFactor = fieldAt<float>(aux, S::kStarterDrain);
    in.idle = physicsVariables().engine.idle;
    if (state != nullptr) in.engineSpeed = fieldAt<float>(state, DrivetrainState::kEngineSpeed);
    in.dt = dt;
    const StarterOutput out = starterTorque(starter, in);
    charge = out.charge;
    if (state != nullptr) fieldAt<float>(state, DrivetrainState::kEngineSpeed) = out.engineSpeed;
    fieldAt<float>(solver, S::kStarterTorque) = out.torque;
    fieldAt<float>(solver, S::kStarterUnscaled) = out.unscaled;
    return out.torque;
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace kvl::physics
