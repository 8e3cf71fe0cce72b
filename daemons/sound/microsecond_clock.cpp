#include "daemons/sound/microsecond_clock.h"

#include <windows.h>

namespace kvl {

namespace {
int64_t readFrequency() {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 1;
  return frequency.QuadPart;
}
const int64_t gFrequency = readFrequency();
}  // namespace

int64_t performanceMicroseconds() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  // Split to keep counter x 1,000,000 inside 64 bits on long uptimes.
  const int64_t seconds = counter.QuadPart / gFrequency;
  const int64_t rest = counter.QuadPart % gFrequency;
  return seconds * 1000000 + rest * 1000000 / gFrequency;
}

}  // namespace kvl
