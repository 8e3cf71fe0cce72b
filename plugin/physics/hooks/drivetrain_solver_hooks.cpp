#include "plugin/physics/hooks/drivetrain_solver_hooks.h"

#include <cstdint>

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/models/drivetrain_solver.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// Host drivetrain solver: +4 the static parameters, +8 the dynamic state.
constexpr std::size_t kStaticOffset = 4, kStateOffset = 8;
// Static parameters: the gear entries (80 bytes each), the two inertias.
constexpr std::size_t kGearEntries = 1684, kGearEntrySize = 80, kInertiaFront = 1636, kInertiaRear = 1652;
// The host's gears are 0 to 9 (its per-gear engine speeds end at 9); a gear word outside them
// names no entry, and the coupling then passes nothing rather than read past the gear entries.
constexpr std::int32_t kGearCount = 10;
// Dynamic state.
constexpr std::size_t kSlipSign = 872, kGearRatio = 900, kEngineSpeed = 1116, kGear = 1356, kEngaged = 1372,
                      kSynchronised = 1400;

void* pointerAt(void* object, std::size_t offset) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<host::HostWord>(object, offset)));
}

void store(void* state, const CouplingState& s) {
  fieldAt<std::int32_t>(state, kSlipSign) = s.slipSign;
  fieldAt<std::int32_t>(state, kSynchronised) = s.synchronised;
  fieldAt<float>(state, kEngineSpeed) = s.speed;
}

CouplingState load(const void* state) {
  return {fieldAt<std::int32_t>(state, kSlipSign), fieldAt<std::int32_t>(state, kSynchronised),
          fieldAt<float>(state, kEngineSpeed)};
}

// The host's steps see the coupling as it stands when they are called, and what they change in
// it holds afterwards.
class HostCoupling : public CouplingHost {
 public:
  HostCoupling(void* solver, void* state, CouplingState& coupling) : solver_(solver), state_(state), coupling_(coupling) {}
  void synchronisedStep(float f) override {
    store(state_, coupling_);
    host::hostFunction<0x509210, void(QZR_THISCALL*)(void*, float)>()(solver_, f);
    coupling_ = load(state_);
  }
  bool freeStep(float torque) override {
    store(state_, coupling_);
    const bool took = host::hostFunction<0x509120, std::int32_t(QZR_THISCALL*)(void*, float)>()(solver_, torque) != 0;
    coupling_ = load(state_);
    return took;
  }

 private:
  void* solver_;
  void* state_;
  CouplingState& coupling_;
};

}  // namespace

void QZR_THISCALL stickSlipHook(void* solver, float torque, float* output, float limit, float ratio, float dt) noexcept {
  try {
    if (solver == nullptr || output == nullptr) return;
    void* params = pointerAt(solver, kStaticOffset);
    void* state = pointerAt(solver, kStateOffset);
    if (params == nullptr || state == nullptr) return;
    const std::int32_t gear = fieldAt<std::int32_t>(state, kGear);
    if (gear < 0 || gear >= kGearCount) {
      *output = 0.0f;
      return;
    }
    CouplingInput in;
    in.torque = torque;
    in.limit = limit;
    in.ratio = ratio;
    in.dt = dt;
    in.gearRatio = fieldAt<float>(state, kGearRatio);
    in.inertiaFront = fieldAt<float>(params, kInertiaFront);
    in.inertiaRear = fieldAt<float>(params, kInertiaRear);
    in.engaged = fieldAt<float>(params, kGearEntries + kGearEntrySize * gear) != 0.0f &&
                 fieldAt<std::int32_t>(state, kEngaged) != 0;
    CouplingState s = load(state);
    HostCoupling host(solver, state, s);
    *output = stickSlip(s, in, host);
    store(state, s);
  } catch (...) {
  }
}

}  // namespace kvl::physics
