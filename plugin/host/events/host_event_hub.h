#pragma once
// The host's block of event sources, at a fixed stride, reached through a host global.
#include <cstddef>
#include <cstdint>

#include "plugin/host/events/event_signal.h"

namespace kvl::host {

class HostEventHub {
 public:
  static constexpr std::uint32_t kHubGlobal = 0x893600u;

  // Source numbers the plugin uses.
  enum Source : std::uint32_t {
    kReplayFrame = 1,
    kRawInput = 3,
    kInput = 6,
    kShutdown = 10,
    kKeyInput = 18,
    kSuspension = 20,
    kCarTick = 22,
    kSuspension2 = 33,
    kRaceEvent = 51,
    kGameStateChanged = 52,
    kMenuCursorMoved = 53,
    kCarChanged = 56,
    kRaceValues = 58,
    kWheelData = 65,
    kEngineFailure = 88,
  };

  // The hub the host holds now (read afresh from its global); null while there is none.
  static HostEventHub* instance();

  // Source k: the hub's address plus k times the source size.
  EventSignal* source(std::uint32_t k) noexcept {
    return reinterpret_cast<EventSignal*>(reinterpret_cast<unsigned char*>(this) +
                                          static_cast<std::size_t>(k) * sizeof(EventSignal));
  }

  EventSignal* replayFrame() noexcept { return source(kReplayFrame); }
  EventSignal* rawInput() noexcept { return source(kRawInput); }
  EventSignal* input() noexcept { return source(kInput); }
  EventSignal* shutdown() noexcept { return source(kShutdown); }
  EventSignal* keyInput() noexcept { return source(kKeyInput); }
  EventSignal* suspension() noexcept { return source(kSuspension); }
  EventSignal* carTick() noexcept { return source(kCarTick); }
  EventSignal* suspension2() noexcept { return source(kSuspension2); }
  EventSignal* raceEvent() noexcept { return source(kRaceEvent); }
  EventSignal* gameStateChanged() noexcept { return source(kGameStateChanged); }
  EventSignal* menuCursorMoved() noexcept { return source(kMenuCursorMoved); }
  EventSignal* carChanged() noexcept { return source(kCarChanged); }
  EventSignal* raceValues() noexcept { return source(kRaceValues); }
  EventSignal* wheelData() noexcept { return source(kWheelData); }
  EventSignal* engineFailure() noexcept { return source(kEngineFailure); }

  HostEventHub() = delete;
};

}  // namespace kvl::host
