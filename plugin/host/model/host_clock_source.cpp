#include "plugin/host/model/host_clock_source.h"

#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_replay.h"

namespace kvl::host {

int HostClockSource::gameState() const { return HostGame::gameState(); }

double HostClockSource::replaySpeed() const {
  const void* replay = HostReplay::instance();
  return replay == nullptr ? 1.0 : static_cast<double>(HostReplay::speed(replay));
}

void useHostClockSource() {
  static HostClockSource source;
  setGameClockSource(&source);
}

}  // namespace kvl::host
