#pragma once
#include <string>

namespace kvl {

// The machine name for the banner's platform line: the native machine that IsWow64Process2
// reports ("x86", "ia64", "x64", "arm", "arm64", or empty for any other machine or a failed
// call); without IsWow64Process2, "x64" when IsWow64Process succeeds and "x86" when it fails.
std::string daemonPlatformName();

}  // namespace kvl
