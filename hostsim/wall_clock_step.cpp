#include "hostsim/wall_clock_step.h"

#include <windows.h>

#include <cstdint>

#include "hostsim/call_trace.h"

namespace hostsim {

bool runWallClockStep(const std::string& step, std::istream&) {
  if (step != "clock") return false;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;  // 1970-01-01 in 100 ns since 1601
  trace("host clock " + std::to_string((ticks - kUnixEpoch) / 10000));
  return true;
}

}  // namespace hostsim
