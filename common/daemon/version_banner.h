#pragma once
// The version banner a daemon prints when it is started by hand.
#include <ostream>
#include <string>

namespace kvl {

constexpr const char* kDaemonVersionText = "7.4.778.7 (2024-09-15)";

// Writes the banner lines, each ended by a newline and flushed. `bitsWord` is "32-bit" or
// "64-bit"; `platformName` may be empty.
void writeDaemonBanner(std::ostream& out, const std::string& programPath, const std::string& bitsWord,
                       const std::string& platformName);

}  // namespace kvl
