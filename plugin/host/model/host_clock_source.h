#pragma once
// The step timers' clock source over the host: its game state and its replay speed.
#include "plugin/foundation/clocks/game_clock_source.h"

namespace kvl::host {

class HostClockSource : public GameClockSource {
 public:
  int gameState() const override;
  double replaySpeed() const override;
};

// Installs the host's source for every step timer (once; it lives to process exit).
void useHostClockSource();

}  // namespace kvl::host
