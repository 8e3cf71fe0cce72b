#include "common/daemon/daemon_arguments.h"

namespace kvl {

bool parseSignedDecimal32(const char* text, int32_t& value) {
  if (!text) return false;
  const char* p = text;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  if (*p == '\0') return false;
  // Accumulate the magnitude in 64 bits; stop as soon as it leaves the 32-bit range.
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  int64_t magnitude = 0;
  for (; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

DaemonArgumentsResult parseDaemonArguments(int argc, const char* const* argv, DaemonArguments& out) {
  if (argc < 6) return DaemonArgumentsResult::TooFew;
  int32_t* fields[5] = {&out.pluginProcess, &out.mapping, &out.requestEvent, &out.replyEvent, &out.mutex};
  for (int i = 0; i < 5; ++i) {
    if (!parseSignedDecimal32(argv[i + 1], *fields[i])) return DaemonArgumentsResult::NotANumber;
  }
  return DaemonArgumentsResult::Ok;
}

}  // namespace kvl
