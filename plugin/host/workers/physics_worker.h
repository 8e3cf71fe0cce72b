#pragma once
// The 720-per-second worker that takes over the host's physics step while the host is in GAME,
// and the hooks at the host's per-frame step call.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_record_mirror.h"
#include "plugin/host/workers/periodic_worker.h"

namespace kvl::host {

class PhysicsWorker : public PeriodicWorker {
 public:
  static constexpr std::int32_t kRate = 720;

  PhysicsWorker();

  // The host thread's per-frame step: true while the worker owns the step (the host does not
  // step), else the step runs here, inline.
  bool hostStep(float stepSeconds, std::int32_t hostArgument);
  // The sound client's tick, which follows every step (given by the controller: the host core
  // includes no feature).
  using SoundTick = void (*)(float seconds) noexcept;
  void setSoundTick(SoundTick tick) noexcept { soundTick_.store(tick); }
  // The job this worker runs on its own thread at END_RACE (the telemetry recording's stop and
  // save, given by the controller: the host core includes no feature). The raising thread waits
  // for it, at most kEndRaceWait, so a game that ends right after END_RACE still has it done.
  using EndRaceJob = void (*)() noexcept;
  static constexpr std::chrono::milliseconds kEndRaceWait{1000};
  void setEndRaceJob(EndRaceJob job) noexcept { endRaceJob_.store(job); }
  void step(std::int64_t elapsedMicros, std::int32_t periods) override;
  bool shouldRun() override;
  void onStateEvent(std::int32_t state);

  // The slots from which the patched host code reads its record pointers; a slot is null when
  // its copy could not be built, and that copy's host code then reads the host's own record.
  HostRecordMirror* const* objectCopySlots() const noexcept { return objectCopies_.data(); }

 private:
  static HostRecordMirror* buildObjectCopy() noexcept;
  void installObjectCopies();
  void refreshObjectCopies();

  void* hostGame_;
  std::vector<HostRecordMirror*> objectCopies_;
  void* replay_ = nullptr;
  std::atomic<EndRaceJob> endRaceJob_{nullptr};
  std::atomic<SoundTick> soundTick_{nullptr};
  HostListenerNode stateNode_;
  HostListenerNode raceValuesNode_;
};

// Built on first use, destroyed at process exit.
PhysicsWorker& physicsWorker();

// Replaces the host's per-frame step call at 0x44A765 (callee cleans: step seconds, int).
std::uint8_t QZR_STDCALL hostStepHook(float stepSeconds, std::int32_t hostArgument) noexcept;
// Replaces the neighbouring host call at 0x44A76C: does nothing.
void QZR_CDECL emptyHostCallback() noexcept;

}  // namespace kvl::host
