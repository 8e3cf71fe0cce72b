#pragma once
// The five handle values on a daemon's command line, and the exit codes of its start-up.
#include <cstdint>

namespace kvl {

constexpr int kDaemonExitNormal = 0;
constexpr int kDaemonExitStandalone = 42;   // started by hand: fewer than five arguments
constexpr int kDaemonExitBadArgument = 666;  // a handle value that is not a number

// The handle values of the plugin's process, the block's file mapping, the request event, the
// reply event and the mutex, in command-line order.
struct DaemonArguments {
  int32_t pluginProcess = 0;
  int32_t mapping = 0;
  int32_t requestEvent = 0;
  int32_t replyEvent = 0;
  int32_t mutex = 0;
};

enum class DaemonArgumentsResult { Ok, TooFew, NotANumber };

// A signed 32-bit decimal number: an optional "+" or "-", then one or more digits and nothing
// else (no blanks, no hexadecimal), within -2147483648..2147483647.
bool parseSignedDecimal32(const char* text, int32_t& value);

// argv[1] to argv[5]; arguments after the fifth are ignored.
DaemonArgumentsResult parseDaemonArguments(int argc, const char* const* argv, DaemonArguments& out);

}  // namespace kvl
