#pragma once
#include <cstdint>

namespace kvl {

// Microseconds of the performance counter (counter x 1,000,000 / frequency); the frequency is
// read once at program start.
int64_t performanceMicroseconds();

}  // namespace kvl
