#include "plugin/foundation/clocks/game_clock_source.h"

#include <atomic>

#include "plugin/foundation/clocks/perf_clock.h"

namespace kvl {

namespace {
GameClockSource defaultSource;
std::atomic<GameClockSource*> installed{nullptr};
}  // namespace

int64_t GameClockSource::microseconds() const { return PerfClock::microseconds(); }
int GameClockSource::gameState() const { return 0; }
double GameClockSource::replaySpeed() const { return 1.0; }

GameClockSource& gameClockSource() {
  GameClockSource* source = installed.load(std::memory_order_acquire);
  return source != nullptr ? *source : defaultSource;
}

void setGameClockSource(GameClockSource* source) { installed.store(source, std::memory_order_release); }

}  // namespace kvl
