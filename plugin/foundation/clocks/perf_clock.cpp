#include "plugin/foundation/clocks/perf_clock.h"

#include <cstdint>

#include "plugin/foundation/clocks/performance_counter.h"

namespace kvl {

namespace {

int64_t counterFrequency() {
  static const int64_t frequency = performanceFrequency();
  return frequency;
}

// Read once when the library is loaded.
const int64_t loadedFrequency = counterFrequency();

}  // namespace

int64_t counterToMicroseconds(int64_t counter, int64_t frequency) {
  if (frequency <= 0) return 0;
  const int64_t seconds = counter / frequency;
  const int64_t rest = counter % frequency;
  // rest < frequency; only a frequency above 2^63 / 10^6 needs the rest scaled in floating point.
  constexpr int64_t kExactLimit = INT64_MAX / 1000000;
  const int64_t fraction = frequency <= kExactLimit
                               ? rest * 1000000 / frequency
                               : static_cast<int64_t>(static_cast<double>(rest) / static_cast<double>(frequency) * 1e6);
  return seconds * 1000000 + fraction;
}

int64_t PerfClock::microseconds() { return counterToMicroseconds(performanceCounter(), counterFrequency()); }

PerfClock& PerfClock::instance() {
  static PerfClock clock;
  return clock;
}

PerfClock::PerfClock() { reset(); }

void PerfClock::reset() {
  startCounter_ = performanceCounter();
  startTicks_ = tickCount();
  frequency_ = loadedFrequency != 0 ? loadedFrequency : counterFrequency();
}

}  // namespace kvl
