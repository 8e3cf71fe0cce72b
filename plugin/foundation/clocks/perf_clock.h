#pragma once
#include <cstdint>

namespace kvl {

// The performance counter as microseconds. Users take differences of its values only.
class PerfClock {
 public:
  // counter x 1,000,000 / frequency, computed without overflow for any counter value.
  static int64_t microseconds();

  static PerfClock& instance();

  // Records the current counter value and tick count as the start.
  void reset();

  int64_t startCounter() const { return startCounter_; }
  uint32_t startTicks() const { return startTicks_; }
  int64_t frequency() const { return frequency_; }

 private:
  PerfClock();
  PerfClock(const PerfClock&) = delete;
  PerfClock& operator=(const PerfClock&) = delete;

  int64_t startCounter_ = 0;
  uint32_t startTicks_ = 0;
  int64_t frequency_ = 0;
};

// Converts a counter value at the given frequency to whole microseconds, truncated. Splitting the
// counter into whole seconds and the rest keeps every intermediate value in range, where
// counter x 1,000,000 would overflow after some days with a fast counter. A frequency of 0 or less
// gives 0.
int64_t counterToMicroseconds(int64_t counter, int64_t frequency);

}  // namespace kvl
