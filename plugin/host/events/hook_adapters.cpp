#include "plugin/host/events/hook_adapters.h"

#include <array>
#include <atomic>
#include <cstring>

#include <boost/asio/post.hpp>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/events/shifter_handling.h"
#include "plugin/host/model/host_input.h"
#include "plugin/host/model/host_replay.h"
#include "plugin/host/workers/input_workers.h"
#include "plugin/host/workers/physics_worker.h"

namespace kvl::host {

void postRaise(PeriodicWorker& worker, EventSignal* source, const void* record, std::size_t size, RaiseFunction raise) {
  std::array<unsigned char, kMaxAdapterRecord> copy{};
  std::memcpy(copy.data(), record, size < copy.size() ? size : copy.size());
  boost::asio::post(worker.eventLoop(), [source, copy, raise] { raise(source, copy.data()); });
}

void dispatchRaise(PeriodicWorker& worker, EventSignal* source, const void* record, std::size_t size,
                   RaiseFunction raise) {
  if (worker.isStepping()) {
    postRaise(worker, source, record, size, raise);
  } else {
    raise(source, record);
  }
}

// The host's per-tick consumer (global 0x167EA90) takes each car-tick record first.
void consumeTick(const void* record) {
  const HostWord consumer = hostGlobal<0x167EA90, HostWord>();
  if (consumer == 0) return;
  hostFunction<0x601FB0, void(QZR_THISCALL*)(void*, const void*)>()(
      reinterpret_cast<void*>(static_cast<std::uintptr_t>(consumer)), record);
}

namespace {

template <std::size_t Size>
void QZR_THISCALL commonRecord(EventSignal* source, const void* record) noexcept {
  try {
    dispatchRaise(physicsWorker(), source, record, Size);
  } catch (...) {
  }
}

std::atomic<EngineEventObserver> engineObserver{nullptr};

// The engine record goes to its observer (the sound client) on the calling thread first.
void QZR_THISCALL engineAdapter(EventSignal* source, const void* record) noexcept {
  if (EngineEventObserver observer = engineObserver.load()) observer(record);
  commonRecord<sizeof(EngineEvent)>(source, record);
}

// One-word records arrive as the word itself; listeners get a pointer to it.
void QZR_THISCALL commonWord(EventSignal* source, std::uint32_t word) noexcept {
  try {
    dispatchRaise(physicsWorker(), source, &word, sizeof word);
  } catch (...) {
  }
}

// Shifter record: a copy goes through the controller's shifter handling while the car's shifter
// is free; the worker raises it while it paces, else at once.
void QZR_THISCALL shifterAdapter(EventSignal* source, const void* record) noexcept {
  try {
    unsigned char copy[kShifterRecordSize];
    std::memcpy(copy, record, sizeof copy);
    if (shifterFree(hostObject<0x8EF660>())) {
      if (void* input = HostInput::instance()) handleShifter(HostInput::controller(input), copy);
    }
    physicsWorker().raiseOnWorker(source, copy, sizeof copy);
  } catch (...) {
  }
}

// The replay clock's own listener is detached: the clock gets each record first, on this thread.
void QZR_THISCALL replayClockAdapter(EventSignal* source, const void* record) noexcept {
  try {
    if (void* replay = HostReplay::instance()) HostReplayClock::onEvent(HostReplay::clock(replay), record);
    dispatchRaise(physicsWorker(), source, record, 80);
  } catch (...) {
  }
}

void QZR_THISCALL carTickAdapter(EventSignal* source, const void* record) noexcept {
  try {
    consumeTick(record);
    dispatchRaise(physicsWorker(), source, record, sizeof(CarTickRecord));
  } catch (...) {
  }
}

// While the worker steps, one raise in five host replay counter values gets through.
void QZR_THISCALL everyFifthAdapter(EventSignal* source, const void* record) noexcept {
  try {
    PhysicsWorker& worker = physicsWorker();
    if (!worker.isStepping()) {
      source->raise(record);
      return;
    }
    void* replay = HostReplay::instance();
    if (replay != nullptr && HostReplay::tickCount(replay) % 5 != 0) return;
    postRaise(worker, source, record, 64);
  } catch (...) {
  }
}

// Steering: always at once; then the device's controller value goes to the input worker.
void QZR_THISCALL steeringAdapter(EventSignal* source, std::uint32_t word) noexcept {
  try {
    source->raise(&word);
    if (void* device = hostInputDevice()) inputWorker().setSteeringValue(hostControllerValue(device));
  } catch (...) {
  }
}

void QZR_THISCALL inputWorkerAdapter(EventSignal* source, const void* record) noexcept {
  try {
    dispatchRaise(inputWorker(), source, record, 8);
  } catch (...) {
  }
}

// Always posted to the physics worker; values 1 and 2 also post an input event.
void QZR_THISCALL alwaysPostAdapter(EventSignal* source, const void* record) noexcept {
  try {
    PhysicsWorker& worker = physicsWorker();
    std::int32_t v = 0;
    std::memcpy(&v, record, sizeof v);
    postRaise(worker, source, &v, sizeof v);
    if (v != 1 && v != 2) return;
    HostEventHub* hub = HostEventHub::instance();
    if (hub == nullptr) return;
    InputEventRecord input;
    input.flags = v == 1 ? 16u : 32u;
    postRaise(worker, hub->input(), &input, sizeof input);
  } catch (...) {
  }
}

struct AdapterRow {
  bool word;
  std::uintptr_t entry;
};

template <typename F>
AdapterRow row(bool word, F f) {
  return {word, hookAddress(f)};
}

const std::array<AdapterRow, kAdapterCount>& adapters() {
  static const std::array<AdapterRow, kAdapterCount> table = {
      row(true, &commonWord),                        // 1
      row(false, &commonRecord<32>),                 // 2
      row(false, &shifterAdapter),                   // 3
      row(false, &replayClockAdapter),               // 4
      row(false, &carTickAdapter),                   // 5
      row(false, &commonRecord<20>),                 // 6
      row(false, &commonRecord<8>),                  // 7
      row(false, &everyFifthAdapter),                // 8
      row(false, &commonRecord<8>),                  // 9
      row(false, &commonRecord<20>),                 // 10
      row(false, &commonRecord<64>),                 // 11
      row(true, &commonWord),                        // 12
      row(false, &commonRecord<56>),                 // 13
      row(false, &commonRecord<20>),                 // 14
      row(true, &commonWord),                        // 15
      row(false, &engineAdapter),                     // 16
      row(false, &commonRecord<20>),                 // 17
      row(true, &steeringAdapter),                   // 18
      row(false, &commonRecord<12>),                 // 19
      row(false, &commonRecord<112>),                // 20
      row(false, &inputWorkerAdapter),               // 21
      row(false, &commonRecord<32>),                 // 22
      row(false, &alwaysPostAdapter),                // 23
      row(true, &commonWord),                        // 24
      row(false, &commonRecord<sizeof(SuspensionEvent)>),   // 25
      row(false, &commonRecord<sizeof(SuspensionEvent2)>),  // 26
      row(false, &commonRecord<96>),                 // 27
  };
  return table;
}

}  // namespace

void setEngineEventObserver(EngineEventObserver observer) noexcept { engineObserver.store(observer); }

bool adapterTakesWord(int number) noexcept {
  return number >= 1 && number <= kAdapterCount && adapters()[number - 1].word;
}

std::uintptr_t adapterEntry(int number) noexcept {
  return number >= 1 && number <= kAdapterCount ? adapters()[number - 1].entry : 0;
}

}  // namespace kvl::host
