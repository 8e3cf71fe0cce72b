#include <time.h>

#include "plugin/foundation/clocks/performance_counter.h"

namespace kvl {

// The monotonic clock in nanoseconds stands in for the counter.
int64_t performanceCounter() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int64_t performanceFrequency() { return 1000000000; }

uint32_t tickCount() { return static_cast<uint32_t>(performanceCounter() / 1000000); }

}  // namespace kvl
