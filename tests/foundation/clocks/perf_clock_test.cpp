#include "plugin/foundation/clocks/perf_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

using kvl::counterToMicroseconds;

TEST(PerfClock, CounterToMicroseconds) {
  struct Case {
    int64_t counter, frequency, micros;
  };
  const Case cases[] = {
      {0, 10000000, 0},
      {9, 10000000, 0},                   // below one microsecond: truncated
      {10, 10000000, 1},
      {12345678, 10000000, 1234567},
      {1, 3, 333333},
      {3579545, 3579545, 1000000},        // the ACPI timer frequency
      {7159089, 3579545, 1999999},
      {1000000000, 1000000000, 1000000},
      // Past 2^63 / 10^6 counts (about 10.7 days of a 10 MHz counter) the product would overflow.
      {9223372036854775807LL, 10000000, 922337203685477580LL},
      {9300000000000LL, 10000000, 930000000000LL},
      {9223372036854775807LL, 1000000000, 9223372036854775LL},
      // Frequencies so high that the remainder alone would overflow when scaled.
      {9223372036854775807LL, 9223372036854775807LL, 1000000},
      {4611686018427387904LL, 9223372036854775807LL, 500000},
      {5, 0, 0},
      {5, -1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(counterToMicroseconds(c.counter, c.frequency), c.micros) << c.counter << " / " << c.frequency;
  }
}

TEST(PerfClock, RunsForwardInMicroseconds) {
  // Measured inside an interval of the standard clock: never longer than it, in microseconds.
  const auto outerStart = std::chrono::steady_clock::now();
  const int64_t a = kvl::PerfClock::microseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const int64_t b = kvl::PerfClock::microseconds();
  const auto outer = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - outerStart);
  EXPECT_GE(b - a, 15000);
  EXPECT_LE(b - a, outer.count() + 1000);
}

}  // namespace
