#pragma once
// The scenario step "clock": traces "host clock MS", the wall-clock time in milliseconds since
// 1970 (UTC), so that a test can tell how long the host took from there to its end.
#include <istream>
#include <string>

namespace hostsim {

bool runWallClockStep(const std::string& step, std::istream& in);

}  // namespace hostsim
