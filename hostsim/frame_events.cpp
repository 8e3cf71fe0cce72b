#include "hostsim/frame_events.h"

#include <cstdint>

#include "hostsim/audio_host.h"
#include "hostsim/host_objects.h"
#include "hostsim/replay.h"

namespace hostsim {

void raiseLoopFrameEvents() {
  constexpr std::int32_t kGame = 1, kReplay = 8;
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

}  // namespace hostsim
