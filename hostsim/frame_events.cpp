#include "hostsim/frame_events.h"

#include <cstdint>

#include "hostsim/audio_host.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_objects.h"
#include "hostsim/replay.h"

namespace hostsim {
namespace {

constexpr std::int32_t kGame = 1, kReplay = 8;
constexpr std::uint32_t kReplayFrameSource = 1;

}  // namespace

void raiseLoopFrameEvents() {
  static std::int32_t frame = 0;
  const std::int32_t state = gameState();
  if (state == kGame) {
    // The race clock is the plugin's here: its steps advance it.
    driveFrameEvents(++frame, false);
  } else if (state == kReplay) {
    playReplayFrame();
    raiseEngineEvent(++frame);
  }
}

// The selector word is the host's; what places its value: the plugin's telemetry tick is the one
// listener on per-id list 1 of this source, and it sends a packet and records a row on every
// frame of the car being driven, so the word reads 1 on the driven frames (GAME). Nothing asks
// for that tick in any other state, and 0 picks per-id list 0, which no listener of the plugin
// is on: the other states' raises (the replay's among them) reach the catch-all list only.
void selectFrameListeners(std::int32_t state) { setSelector(kReplayFrameSource, state == kGame ? 1 : 0); }

}  // namespace hostsim
