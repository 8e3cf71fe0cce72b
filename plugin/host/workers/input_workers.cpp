#include "plugin/host/workers/input_workers.h"

#include <cmath>
#include <cstring>

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_readers.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_input.h"
#include "plugin/host/model/host_input_decoder.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/physics/host_car.h"

namespace kvl::host {
namespace {

bool inGame(std::int32_t state) { return state == static_cast<std::int32_t>(HostGameState::game); }

// At the first INIT event the workers take the host's controller record as their target.
void takeInputTarget(PeriodicWorker& worker, void*& target) {
  if (worker.hostState() != static_cast<std::int32_t>(HostGameState::init) || target != nullptr) return;
  if (void* input = HostInput::instance()) target = HostInput::controller(input);
}

// The host car (global 0x8EF660) and its current gear; -1 without a drivetrain or gearbox owner.
void* hostCar() { return hostObject<0x8EF660>(); }
std::int32_t currentGear(void* car) {
  void* drivetrain = physics::HostCar::drivetrain(car);
  void* owner = drivetrain == nullptr ? nullptr : physics::HostDrivetrain::gearboxOwner(drivetrain);
  return owner == nullptr ? -1 : physics::currentGearOf(physics::gearboxOf(owner));
}
void applyControls(void* car, InputEventRecord* record) {
  hostFunction<0x4E91F0, void(QZR_THISCALL*)(void*, InputEventRecord*)>()(car, record);
}

// Force-feedback output state, written only by sendConstantForce.
std::int32_t lastForceState = 0;
float deadZone = 0.0f;
std::int32_t deadZoneThreshold = 0;

// The DirectInput parameter block of a constant force (host layout, 56 bytes).
struct ConstantForceEffect {
  std::uint32_t size = 56;
  std::uint32_t flags = 0x12;  // cartesian, object offsets
  std::uint32_t duration = 0xFFFFFFFFu;
  std::uint32_t samplePeriod = 0;
  std::uint32_t gain = 0;
  std::uint32_t triggerButton = 0;
  std::uint32_t triggerRepeatInterval = 0;
  std::uint32_t axes = 1;
  HostWord axisList = 0;
  HostWord direction = 0;
  HostWord envelope = 0;
  std::uint32_t typeSpecificSize = 4;
  HostWord typeSpecific = 0;
  std::uint32_t startDelay = 0;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(ConstantForceEffect) == 56, "effect parameter block is 56 bytes");
constexpr std::uint32_t kSetParametersFlags = 0x20000141u;  // start, type-specific, direction, duration

HostWord wordOf(const void* p) { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

}  // namespace

ForceFeedbackWorker::ForceFeedbackWorker()
    : PeriodicWorker(readForceFeedbackRate(), &HostGame::gameState) {
  stateNode_.bind(this, [](void* self, const void*) {
    auto* worker = static_cast<ForceFeedbackWorker*>(self);
    takeInputTarget(*worker, worker->inputTarget_);
  });
  if (HostEventHub* hub = HostEventHub::instance()) {
    linkListeners(hub->gameStateChanged(), hub->shutdown());
    appendListener(hub->gameStateChanged()->catchAll(), stateNode_);
  }
  start();
}

void ForceFeedbackWorker::step(std::int64_t, std::int32_t) { HostInputTarget::tick(inputTarget_); }

bool ForceFeedbackWorker::shouldRun() {
  return inputTarget_ != nullptr && rate() > 0 && hostActiveFlag() != 0 && !HostInputTarget::locked(inputTarget_);
}

InputWorker::InputWorker() : PeriodicWorker(readInputRate(), &HostGame::gameState) {
  stateNode_.bind(this, [](void* self, const void*) {
    auto* worker = static_cast<InputWorker*>(self);
    takeInputTarget(*worker, worker->inputTarget_);
  });
  rawInputNode_.bind(this, [](void* self, const void* record) {
    static_cast<InputWorker*>(self)->onRawInput(*static_cast<const RawInputRecord*>(record));
  });
  if (HostEventHub* hub = HostEventHub::instance()) {
    linkListeners(hub->gameStateChanged(), hub->shutdown());
    appendListener(hub->gameStateChanged()->catchAll(), stateNode_);
    appendListener(hub->rawInput()->catchAll(), rawInputNode_);
  }
  if (void* game = HostGame::instance()) installInputDecoder(HostGame::inputDecoderSlot(game));
  start();
}

void InputWorker::step(std::int64_t elapsedMicros, std::int32_t) {
  if (inputTarget_ == nullptr) return;
  HostInputTarget::setValue(inputTarget_, static_cast<float>(static_cast<double>(elapsedMicros) / 1000000.0));
}

bool InputWorker::shouldRun() {
  return inputTarget_ != nullptr && rate() > 0 && hostActiveFlag() != 0 && inGame(hostState()) &&
         !HostInputTarget::locked(inputTarget_);
}

InputEventRecord controlsFromRaw(const RawInputRecord& raw) noexcept {
  InputEventRecord r;
  std::memcpy(r.controls, raw.controls, sizeof r.controls);
  r.value = raw.value;
  r.extra = raw.value4;
  if (raw.flags != 0) {
    if ((raw.flags & 4u) != 0 && raw.gearPlusOne != 0) {
      r.flags |= 4u;
      r.gear = raw.gearPlusOne - 1;
    }
    if ((raw.flags & 1u) != 0) r.flags |= 1u;
    if ((raw.flags & 2u) != 0) r.flags |= 2u;
    if ((raw.flags & 0x20u) != 0) r.flags |= 0x10u;
    if ((raw.flags & 0x40u) != 0) r.flags |= 0x20u;
  }
  return r;
}

void deliverControls(InputEventRecord record) {
  if (void* car = hostCar()) {
    if ((record.flags & 4u) != 0 && currentGear(car) == record.gear) record.flags &= ~4u;
    applyControls(car, &record);
  }
  HostEventHub* hub = HostEventHub::instance();
  if (hub == nullptr) return;
  EventSignal* input = hub->input();
  PhysicsWorker& physics = physicsWorker();
  if (physics.isStepping()) {
    physics.postToHost([input, record] { input->raise(&record); });
  } else {
    input->raise(&record);
  }
}

void InputWorker::onRawInput(const RawInputRecord& raw) {
  rawInputValue_.exchange(raw.value);
  deliverControls(controlsFromRaw(raw));
}

void InputWorker::deferHostPoll(void* object, std::int32_t value) {
  if (isStepping()) {
    postToHost([object, value] { hostInputPoll(object, value); });
  } else {
    hostInputPoll(object, value);
  }
}

ForceFeedbackWorker& forceFeedbackWorker() {
  static ForceFeedbackWorker worker;
  return worker;
}

InputWorker& inputWorker() {
  static InputWorker worker;
  return worker;
}

void QZR_THISCALL sendConstantForce(void* device, std::int32_t magnitude) noexcept {
  try {
    void* effect = reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(device, 672)));
    if (effect == nullptr) return;
    const std::int32_t state = physicsWorker().hostState();
    if (lastForceState != 1 && state == 1) {
      deadZone = FfbDeadZoneOption(0.0f).read();
      const float t = FfbDeadZoneThresholdOption(0.0f).read();
      deadZoneThreshold = t > 0.0f ? static_cast<std::int32_t>(t * 10000.0f) : 0;
    }
    std::int32_t m = magnitude < -10000 ? -10000 : (magnitude > 10000 ? 10000 : magnitude);
    const float raw = inputWorker().rawInputValue();
    if (deadZone > std::fabs(raw) && std::abs(m) < deadZoneThreshold) m = 0;

    std::int32_t direction = 0;
    std::int32_t constantForce = m;
    ConstantForceEffect parameters;
    parameters.direction = wordOf(&direction);
    parameters.typeSpecific = wordOf(&constantForce);
    // IDirectInputEffect::SetParameters, slot 6 of the effect's table (callee cleans).
    using SetParameters = std::int32_t(QZR_STDCALL*)(void*, const ConstantForceEffect*, std::uint32_t);
    tableEntry<SetParameters>(effect, 6 * kTableEntrySize)(effect, &parameters, kSetParametersFlags);
    lastForceState = state;
  } catch (...) {
  }
}

void QZR_THISCALL forceFeedbackHook(void* device, std::int32_t magnitude) noexcept {
  try {
    if (forceFeedbackWorker().isRunning()) return;
    sendConstantForce(device, magnitude);
  } catch (...) {
  }
}

void QZR_THISCALL inputPollHook(void* object, std::int32_t value) noexcept {
  try {
    inputWorker().deferHostPoll(object, value);
  } catch (...) {
  }
}

void QZR_THISCALL inputEventHook(void*, const InputEventRecord* record) noexcept {
  try {
    if (record != nullptr) deliverControls(*record);
  } catch (...) {
  }
}

}  // namespace kvl::host
