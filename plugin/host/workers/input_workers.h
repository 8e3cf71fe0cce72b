#pragma once
// The force-feedback and input workers, paced at their option rates, and the hooks around the
// host's controller handling.
#include <atomic>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/workers/periodic_worker.h"

namespace kvl::host {

class ForceFeedbackWorker : public PeriodicWorker {
 public:
  ForceFeedbackWorker();
  void step(std::int64_t elapsedMicros, std::int32_t periods) override;
  bool shouldRun() override;

 private:
  void* inputTarget_ = nullptr;
  HostListenerNode stateNode_;
};

class InputWorker : public PeriodicWorker {
 public:
  InputWorker();
  void step(std::int64_t elapsedMicros, std::int32_t periods) override;
  bool shouldRun() override;

  float rawInputValue() const noexcept { return rawInputValue_.load(); }
  float steeringValue() const noexcept { return steeringValue_.load(); }
  void setSteeringValue(float value) noexcept { steeringValue_.store(value); }
  void onRawInput(const RawInputRecord& raw);
  // The host poll reached from the input update: moved to the host thread while this worker
  // steps, else run at once.
  void deferHostPoll(void* object, std::int32_t value);

 private:
  void* inputTarget_ = nullptr;
  std::atomic<float> rawInputValue_{0.0f};
  std::atomic<float> steeringValue_{0.0f};
  HostListenerNode stateNode_;
  HostListenerNode rawInputNode_;
};

ForceFeedbackWorker& forceFeedbackWorker();
InputWorker& inputWorker();

// Converts a raw controller event into the host's controls record.
InputEventRecord controlsFromRaw(const RawInputRecord& raw) noexcept;
// Applies the controls to the host car (a request for the gear already engaged is dropped) and
// raises the host's input source: posted to the host thread while the physics worker steps.
void deliverControls(InputEventRecord record);

// Sends a constant force (clamped to +-10000, zeroed inside the dead zone) through the device's
// DirectInput effect.
void QZR_THISCALL sendConstantForce(void* device, std::int32_t magnitude) noexcept;

// Hooks at host calls 0x4C6FB3 (force), 0x4CC45E (poll inside the input update) and 0x48D24F
// (controls record).
void QZR_THISCALL forceFeedbackHook(void* device, std::int32_t magnitude) noexcept;
void QZR_THISCALL inputPollHook(void* object, std::int32_t value) noexcept;
void QZR_THISCALL inputEventHook(void* source, const InputEventRecord* record) noexcept;

}  // namespace kvl::host
