// Record-set parsing on arbitrary files: the first line names the set, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "common/telemetry/record_set.h"
#include "common/telemetry/telemetry_channel_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kvl::TelemetryChannelTable* table = [] {
    auto* t = new kvl::TelemetryChannelTable();
    t->build(kvl::HostObjects{});
    return t;
  }();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t newline = input.find('\n');
  const std::string setName = newline == std::string::npos ? input : input.substr(0, newline);
  std::istringstream ini(newline == std::string::npos ? std::string() : input.substr(newline + 1));
  const auto names = kvl::readRecordSet(ini, setName);
  table->select(names);
  // The table holds each channel once, so no selection can exceed a full row.
  if (table->rowSize() > 764 * names.size() || table->active().size() > names.size()) std::abort();
  return 0;
}
