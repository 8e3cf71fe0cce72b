#include "common/telemetry/record_set.h"

#include <windows.h>

#include <deque>

#include "common/ini/ini_name_lists.h"

namespace kvl {

std::vector<std::string> listRecordSets(const std::string& iniPath) {
  if (iniPath.empty()) return {};
  char full[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(iniPath.c_str(), MAX_PATH, full, nullptr);
  // A path the system cannot make absolute names no file it could list.
  if (length == 0 || length >= MAX_PATH) return {};
  std::deque<std::string> names;
  appendIniSectionNames(full, names);
  return std::vector<std::string>(names.begin(), names.end());
}

}  // namespace kvl
