#include "plugin/physics/hooks/engine_step_hook.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/hook_adapters.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// The engine's state and damage record: four wear values, the damage words, the health and the
// running word.
constexpr std::size_t kWear[4] = {8, 24, 40, 56};
constexpr std::size_t kDamage84 = 84, kDamage88 = 88, kDamage92 = 92, kDamage96 = 96;
constexpr std::size_t kHealth = 88, kRunning = 116;
// The dynamic record's friction torque; the car's record at +2132 with its torque-cut word at +100
// of it (a record the car holds in place, as it holds its members at +1200 and +1680, not a pointer).
constexpr std::size_t kFrictionTorque = 624, kCarCutRecord = 2132, kCutWord = 100;

float conditionOf(const void* record) {
  float wear[4];
  for (int i = 0; i < 4; ++i) wear[i] = fieldAt<float>(record, kWear[i]);
  return engineConditionFactor(wear, fieldAt<float>(record, kDamage84), fieldAt<float>(record, kDamage88),
                               fieldAt<float>(record, kDamage92), fieldAt<float>(record, kDamage96));
}

// The failure goes through the host's event hub: posted to the physics worker while it steps,
// else raised at once.
void raiseEngineFailure() {
  host::HostEventHub* hub = host::HostEventHub::instance();
  if (hub == nullptr) return;
  static const host::EngineFailureEvent record{1.0f};
  host::dispatchRaise(host::physicsWorker(), hub->engineFailure(), &record, sizeof record);
}

}  // namespace

float QZR_THISCALL engineStepHook(void* engine, float dt, float speed) noexcept {
  try {
    void* car = HostCar::wordPointer(engine, HostEngine::kCar);
    void* state = HostCar::wordPointer(engine, HostEngine::kState);
    const float limit = carRevLimit(car);
    if (state != nullptr) {
      EngineHealth health{fieldAt<std::int32_t>(state, kRunning), fieldAt<float>(state, kHealth)};
      const bool failed = overRevStep(health, speed, limit, dt);
      fieldAt<std::int32_t>(state, kRunning) = health.running;
      fieldAt<float>(state, kHealth) = health.health;
      if (failed) raiseEngineFailure();
    }
    updateAtmosphere(car);
    EngineStepInput in;
    in.hostTorque = host::hostFunction<0x518E20, float(QZR_THISCALL*)(void*, float, float)>()(engine, dt, speed);
    in.speed = speed;
    in.limit = limit;
    in.throttle = fieldAt<float>(engine, HostEngine::kThrottle);
    EngineRuntime& runtime = engineRuntime();
    in.flags = runtime.flags;
    if (void* block = HostCar::wordPointer(engine, HostEngine::kBlock)) {
      in.hostTypeBit0 = (fieldAt<std::uint32_t>(block, EngineBlock::kEngineType) & kEngineHostBit) != 0;
      in.torqueCut = fieldAt<float>(block, EngineBlock::kTorqueCut);
    }
    in.running = state != nullptr && fieldAt<std::int32_t>(state, kRunning) != 0;
    in.ignition = in.running && host::hostBool(host::hostFunction<0x50ECF0, std::uint8_t(QZR_THISCALL*)(void*)>()(engine));
    if (state != nullptr) in.conditionFactor = conditionOf(state);
    in.densityRatio = densityRatio(physicsVariables().air);
    if (void* dynamic = HostCar::wordPointer(engine, HostEngine::kDynamic)) in.frictionTorque = fieldAt<float>(dynamic, kFrictionTorque);
    if (car != nullptr) {
      in.torqueCutActive = fieldAt<std::int32_t>(car, kCarCutRecord + kCutWord) > 0;
    }
    return engineTorque(in, physicsVariables().engine, runtime.curve.get(), runtime.window);
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace kvl::physics
