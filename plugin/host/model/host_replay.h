#pragma once
// The host's replay object (pointer in host global 0x893634, read afresh on every call) and the
// host functions the replay hooks call.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/replay_run_table.h"

namespace kvl::host {

class HostReplay {
 public:
  static constexpr std::uint32_t kGlobal = 0x893634u;
  static constexpr std::size_t kSpeedOffset = 4;
  static constexpr std::size_t kModeOffset = 16;
  static constexpr std::size_t kLastRunOffset = 60;
  static constexpr std::size_t kRecordedFramesOffset = 64;
  static constexpr std::size_t kPlayRunOffset = 1620068;
  static constexpr std::size_t kFrameInRunOffset = 1620072;
  static constexpr std::size_t kTickCountOffset = 1620076;
  static constexpr std::size_t kChecksummedOffset = 1620192;
  static constexpr std::size_t kChecksummedSize = 12;
  static constexpr std::size_t kControlRecordOffset = 1620208;
  static constexpr std::size_t kClockOffset = 1620224;

  // The replay object the host holds now; null while there is none.
  static void* instance();

  static float speed(const void* replay) noexcept { return fieldAt<float>(replay, kSpeedOffset); }
  static void* setSpeed(void* replay, float speed) noexcept {
    fieldAt<float>(replay, kSpeedOffset) = speed;
    return replay;
  }
  static std::int32_t mode(const void* replay) noexcept { return fieldAt<std::int32_t>(replay, kModeOffset); }
  static std::uint32_t tickCount(const void* replay) noexcept {
    return fieldAt<std::uint32_t>(replay, kTickCountOffset);
  }
  // Cleared at state 13, not at LOADING: the controller's ordered steps put it beside the recording start it paces.
  static void* setTickCount(void* replay, std::uint32_t count) noexcept {
    fieldAt<std::uint32_t>(replay, kTickCountOffset) = count;
    return replay;
  }
  static void* clock(void* replay) noexcept { return addressAt(replay, kClockOffset); }
  static std::uint8_t* controlRecord(void* replay) noexcept {
    return static_cast<std::uint8_t*>(addressAt(replay, kControlRecordOffset));
  }

  // The counters the run table moves, read from and written back to the object.
  static ReplayCounters counters(const void* replay) noexcept;
  static void storeCounters(void* replay, const ReplayCounters& c) noexcept;

  // The host checksum (host 0x490C00 on the object in global 0x7C29B4) of the 12 checksummed
  // bytes.
  static std::uint32_t checksum(void* replay);
};

struct HostReplayClock {
  static void afterRecord(void* clock);  // host 0x61E150 with 1
  static void beforePlay(void* clock);   // host 0x6208C0 with 1
  static void sync(void* clock);         // host 0x61EC60
  static void onEvent(void* clock, const void* record);  // host 0x61E1B0
  // Unlinks the clock's own listener node (next, prev and list words at +204, +208, +212).
  static void detach(void* clock) noexcept;
};

// Host 0x49A1D0: the host's step at the two redirected restart calls (member call, two values).
void hostReplayRestart(void* object, std::uint32_t a, std::uint32_t b);

// The host counter the control-record comparison reads: word +24 of the object at +32 of the
// surface-name object (host global 0x1659B70); 0 while either is missing.
std::uint32_t hostSurfaceCounter();

}  // namespace kvl::host
