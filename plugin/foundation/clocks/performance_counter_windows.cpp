#include <windows.h>

#include "plugin/foundation/clocks/performance_counter.h"

namespace kvl {

int64_t performanceCounter() {
  LARGE_INTEGER value;
  if (!QueryPerformanceCounter(&value)) return 0;
  return value.QuadPart;
}

int64_t performanceFrequency() {
  LARGE_INTEGER value;
  if (!QueryPerformanceFrequency(&value)) return 0;
  return value.QuadPart;
}

uint32_t tickCount() { return GetTickCount(); }

}  // namespace kvl
