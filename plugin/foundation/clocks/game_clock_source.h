#pragma once
#include <cstdint>

namespace kvl {

// What the step timers read: the clock, the host's game state and the host's replay speed.
// The default source reads the performance clock and reports a host that plays no replay; the
// host bindings install their own source once the host is known.
class GameClockSource {
 public:
  virtual ~GameClockSource() = default;
  // The current time in microseconds (the performance clock by default).
  virtual int64_t microseconds() const;
  // The host's game-state number (0 by default).
  virtual int gameState() const;
  // The host's replay speed factor (1.0 by default).
  virtual double replaySpeed() const;
};

// The source every step timer reads.
GameClockSource& gameClockSource();
// Installs a source (kept by the caller for as long as it is installed); null restores the default.
void setGameClockSource(GameClockSource* source);

}  // namespace kvl
