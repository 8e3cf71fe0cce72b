#include "plugin/host/model/host_replay.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::host {

void* HostReplay::instance() { return hostGlobal<kGlobal, void*>(); }

ReplayCounters HostReplay::counters(const void* replay) noexcept {
  ReplayCounters c;
  c.mode = mode(replay);
  c.lastRun = fieldAt<std::int32_t>(replay, kLastRunOffset);
  c.recordedFrames = fieldAt<std::int32_t>(replay, kRecordedFramesOffset);
  c.playRun = fieldAt<std::int32_t>(replay, kPlayRunOffset);
  c.frameInRun = fieldAt<std::uint16_t>(replay, kFrameInRunOffset);
  c.tickCount = tickCount(replay);
  return c;
}

void HostReplay::storeCounters(void* replay, const ReplayCounters& c) noexcept {
  fieldAt<std::int32_t>(replay, kLastRunOffset) = c.lastRun;
  fieldAt<std::int32_t>(replay, kRecordedFramesOffset) = c.recordedFrames;
  fieldAt<std::int32_t>(replay, kPlayRunOffset) = c.playRun;
  fieldAt<std::uint16_t>(replay, kFrameInRunOffset) = c.frameInRun;
  setTickCount(replay, c.tickCount);
}

std::uint32_t HostReplay::checksum(void* replay) {
  void* owner = hostGlobal<0x7C29B4, void*>();
  using Fn = std::uint32_t(QZR_THISCALL*)(void*, const void*, std::uint32_t);
  return hostFunction<0x490C00, Fn>()(owner, addressAt(replay, kChecksummedOffset), kChecksummedSize);
}

void HostReplayClock::afterRecord(void* clock) {
  hostFunction<0x61E150, void(QZR_THISCALL*)(void*, std::int32_t)>()(clock, 1);
}

void HostReplayClock::beforePlay(void* clock) {
  hostFunction<0x6208C0, void(QZR_THISCALL*)(void*, std::int32_t)>()(clock, 1);
}

void HostReplayClock::sync(void* clock) { hostFunction<0x61EC60, void(QZR_THISCALL*)(void*)>()(clock); }

void HostReplayClock::onEvent(void* clock, const void* record) {
  hostFunction<0x61E1B0, void(QZR_THISCALL*)(void*, const void*)>()(clock, record);
}

void HostReplayClock::detach(void* clock) noexcept {
  // The node's words from +204 are laid out as a listener node's from +4.
  auto* node = static_cast<HostListenerNode*>(addressAt(clock, 200));
  unlinkListener(*node);
}

void hostReplayRestart(void* object, std::uint32_t a, std::uint32_t b) {
  hostFunction<0x49A1D0, void(QZR_THISCALL*)(void*, std::uint32_t, std::uint32_t)>()(object, a, b);
}

std::uint32_t hostSurfaceCounter() {
  const void* names = hostGlobal<0x1659B70, void*>();
  if (names == nullptr) return 0;
  const void* inner = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(names, 32)));
  return inner == nullptr ? 0 : fieldAt<std::uint32_t>(inner, 24);
}

}  // namespace kvl::host
