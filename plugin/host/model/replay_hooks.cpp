#include "plugin/host/model/replay_hooks.h"

#include "plugin/host/events/event_records.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_replay.h"

namespace kvl::host {
namespace {

ReplayRunTable& table() { return ReplayRunTable::instance(); }

}  // namespace

void QZR_THISCALL replayRecordFrame(void* replay) noexcept {
  try {
    ReplayCounters c = HostReplay::counters(replay);
    std::uint8_t* control = HostReplay::controlRecord(replay);
    if (!table().recordFrame(c, control, hostSurfaceCounter(), [replay] { return HostReplay::checksum(replay); })) {
      return;
    }
    HostReplay::storeCounters(replay, c);
    control[0] &= static_cast<std::uint8_t>(~3u);
    HostReplayClock::afterRecord(HostReplay::clock(replay));
  } catch (...) {
  }
}

std::uint32_t QZR_THISCALL replayPlayFrame(void* replay) noexcept {
  try {
    ReplayCounters c = HostReplay::counters(replay);
    if (c.mode != 2) return static_cast<std::uint32_t>(PlayResult::notPlaying);
    HostReplayClock::beforePlay(HostReplay::clock(replay));
    HostReplayClock::sync(HostReplay::clock(replay));
    bool frameTwo = false;
    const PlayResult result = table().playFrame(c, frameTwo);
    HostReplay::storeCounters(replay, c);
    if (frameTwo) HostReplay::checksum(replay);
    return static_cast<std::uint32_t>(result);
  } catch (...) {
    return static_cast<std::uint32_t>(PlayResult::end);
  }
}

std::uint32_t QZR_THISCALL replayRaiseFrame(void* replay) noexcept {
  const ReplayRun* run = table().playRun(HostReplay::counters(replay));
  if (run == nullptr) return 0;
  ReplayFrameEvent event;
  event.controlRecord = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(run->control));
  if (HostEventHub* hub = HostEventHub::instance()) hub->replayFrame()->raise(&event);
  return 1;
}

std::uint32_t QZR_THISCALL replayIsFinished(void* replay) noexcept {
  return table().isFinished(HostReplay::counters(replay)) ? 1u : 0u;
}

void QZR_THISCALL replayRestart(void* object, std::uint32_t a, std::uint32_t b) noexcept {
  try {
    hostReplayRestart(object, a, b);
  } catch (...) {
  }
  table().restart();
}

}  // namespace kvl::host

using namespace kvl::host;

extern "C" void qzrReplayLoadRuns(const void* source) noexcept {
  try {
    void* replay = HostReplay::instance();
    if (replay == nullptr) return;
    ReplayCounters c = HostReplay::counters(replay);
    ReplayRunTable::instance().loadRuns(c, source);
    HostReplay::storeCounters(replay, c);
  } catch (...) {
    ReplayRunTable::instance().runs().clear();
  }
}

extern "C" void qzrReplaySaveRuns(void* destination) noexcept {
  void* replay = HostReplay::instance();
  if (replay == nullptr) return;
  ReplayRunTable::instance().saveRuns(HostReplay::counters(replay), destination);
}
