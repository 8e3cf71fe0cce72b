#include "plugin/host/workers/physics_worker.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/memory_patch.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_object_bindings.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/model/race_events.h"
#include "plugin/host/workers/step_batch_buffer.h"

namespace kvl::host {
namespace {

// Host code reading its record pointer through a 32-bit operand, one list per copy.
const std::vector<std::uint32_t> kCopySites[3] = {
    {0x4E54E8, 0x51BCB2, 0x51BDA4, 0x51BE3F, 0x51BF82, 0x51C119, 0x51C162, 0x51C261, 0x51C53C, 0x51C67E,
     0x51C726, 0x5254CA, 0x529D5A, 0x53D5E0, 0x53D6BE, 0x53D7E3, 0x53D923},
    {0x5FD732},
    {0x601A01, 0x601F77, 0x604216},
};

bool isState(std::int32_t value, HostGameState state) { return value == static_cast<std::int32_t>(state); }

}  // namespace

PhysicsWorker::PhysicsWorker() : PeriodicWorker(kRate, &HostGame::gameState), hostGame_(HostGame::instance()) {
  objectCopies_.reserve(3);
  for (int i = 0; i < 3; ++i) objectCopies_.push_back(buildObjectCopy());
  installObjectCopies();
  stateNode_.bind(this, [](void* self, const void* record) {
    static_cast<PhysicsWorker*>(self)->onStateEvent(static_cast<const GameStateEvent*>(record)->state);
  });
  raceValuesNode_.bind(this, [](void*, const void*) {});
  if (HostEventHub* hub = HostEventHub::instance()) {
    linkListeners(hub->gameStateChanged(), hub->shutdown());
    appendListener(hub->gameStateChanged()->catchAll(), stateNode_);
    appendListener(hub->raceValues()->catchAll(), raceValuesNode_);
  }
  start();
}

// A copy that cannot be built is left out: its block goes back to the host heap and the host
// code of its sites keeps reading the host's own record.
HostRecordMirror* PhysicsWorker::buildObjectCopy() noexcept {
  try {
    // The record's own size on the game; a 64-bit build's wider table pointers need more.
    auto* copy = static_cast<HostRecordMirror*>(hostRuntimeAlloc(sizeof(HostRecordMirror)));
    if (copy == nullptr || HostRecordMirror::construct(copy)) return copy;
    hostRuntimeRelease(copy);
  } catch (...) {
  }
  return nullptr;
}

void PhysicsWorker::installObjectCopies() {
  for (int k = 0; k < 3; ++k) {
    if (objectCopies_[k] == nullptr) continue;
    const auto slot = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(&objectCopies_[k]));
    for (std::uint32_t site : kCopySites[k]) {
      MemoryPatch patch(HostAddress(site).resolve(), &slot, 4);
      patch.apply();
    }
  }
}

// Only the record's data words follow the host: each copy keeps its own table and callbacks.
void PhysicsWorker::refreshObjectCopies() {
  const void* source = hostRecordSource();
  if (source == nullptr) return;
  for (HostRecordMirror* copy : objectCopies_) {
    if (copy != nullptr) HostRecordMirror::copyFrom(copy, source);
  }
}

// After the step, inline here or in step() on the worker, comes the sound client's tick: once per
// host frame in COUNTDOWN, PAUSE, REPLAY and the other inline states, once per worker step (720 a
// second) while the worker steps the game. The worker steps in GAME only, and the tick's own work
// (the pause outside the driving states, the resume in COUNTDOWN) needs ticks in the other states:
// so it follows every step, not only the worker's.
bool PhysicsWorker::hostStep(float stepSeconds, std::int32_t hostArgument) {
  if (syncTick()) return true;
  if (hostGame_ == nullptr) hostGame_ = HostGame::instance();
  const std::int32_t state = hostState();
  if (hostGame_ != nullptr) {
    hostRunStep(hostGame_, stepSeconds, hostArgument);
    HostGame::finishStep(hostGame_);
  }
  // The inline states whose host code reads the step's item batch.
  if (isState(state, HostGameState::pause) || isState(state, HostGameState::replay) ||
      isState(state, HostGameState::countdown) ||
      (isState(state, HostGameState::game) && HostGameModes::mode() == HostGameModes::kRallySchool)) {
    stepBatchBuffer().update(stepSeconds);
  }
  if (SoundTick tick = soundTick_.load()) tick(stepSeconds);
  return false;
}

void PhysicsWorker::step(std::int64_t elapsedMicros, std::int32_t periods) {
  if (hostGame_ == nullptr) return;
  const auto seconds = static_cast<float>(static_cast<double>(elapsedMicros) / 1000000.0);
  hostRunStep(hostGame_, seconds, periods);
  HostGame::finishStep(hostGame_);
  stepBatchBuffer().update(seconds);
  if (SoundTick tick = soundTick_.load()) tick(seconds);
  // The race clock advances here, at once: a step queued for the host thread would be dropped at
  // INITIALIZE_TRACK, or run after the finish had set the race's hold word, and be lost.
  HostRaceTime::addElapsedTime(HostRace::instance(), seconds);
}

bool PhysicsWorker::shouldRun() {
  return replay_ != nullptr && hostActiveFlag() != 0 && HostGameModes::mode() != HostGameModes::kRallySchool &&
         isState(hostState(), HostGameState::game);
}

void PhysicsWorker::onStateEvent(std::int32_t state) {
  if (isState(hostState(), HostGameState::init) && replay_ == nullptr) {
    replay_ = HostReplay::instance();
    if (replay_ != nullptr) {
      HostReplay::setSpeed(replay_, 1.0f);
      HostReplayClock::detach(HostReplay::clock(replay_));
    }
  }
  if (isState(hostState(), HostGameState::init)) stepBatchBuffer().bind();
  if (isState(state, HostGameState::menu) || isState(state, HostGameState::initializeTrack) ||
      isState(state, HostGameState::cutscene)) {
    refreshObjectCopies();
    stepBatchBuffer().reset();
  }
  // Run on this worker's thread, behind the recording's start posted there at INITIALIZE_TRACK;
  // waited for, because a job still queued when the game ends would be dropped with the loop.
  if (isState(state, HostGameState::endRace)) {
    if (EndRaceJob job = endRaceJob_.load()) runOnWorkerAndWait([job] { job(); }, kEndRaceWait);
  }
}

PhysicsWorker& physicsWorker() {
  static PhysicsWorker worker;
  return worker;
}

std::uint8_t QZR_STDCALL hostStepHook(float stepSeconds, std::int32_t hostArgument) noexcept {
  try {
    return physicsWorker().hostStep(stepSeconds, hostArgument) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

void QZR_CDECL emptyHostCallback() noexcept {}

}  // namespace kvl::host
