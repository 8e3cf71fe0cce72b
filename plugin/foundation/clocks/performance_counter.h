#pragma once
#include <cstdint>

namespace kvl {

// The system's high-resolution counter, its frequency in counts per second, and the millisecond
// tick count since the system started.
int64_t performanceCounter();
int64_t performanceFrequency();
uint32_t tickCount();

}  // namespace kvl
