#include "plugin/physics/setup_parameter_check.h"

#include <windows.h>

#include <cstdio>
#include <share.h>

#include "common/text/date_time_text.h"
#include "plugin/physics/setup_range.h"

namespace kvl::physics {
namespace {

void appendLine(const std::string& line) {
  char folder[261];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return;
  const std::string path = std::string(folder) + kSetupErrorLogName;
  std::FILE* file = _fsopen(path.c_str(), "a", _SH_DENYNO);
  if (file == nullptr) return;
  std::fputs(line.c_str(), file);
  std::fputs("\n", file);
  std::fflush(file);
  std::fclose(file);
}

std::string now() { return localDateTimeText(currentLocalTime()); }

}  // namespace

bool checkSetupParameter(float* value, float minimum, float maximum, const char* name, std::int32_t index) {
  const RangeCheck r = checkRange(*value, minimum, maximum);
  if (r.unchanged) return true;
  if (name != nullptr) appendLine(setupErrorLine(now(), name, index, *value, minimum, maximum, r.value));
  *value = r.value;
  return false;
}

void appendSetupErrorLine(const std::string& text) { appendLine(now() + " " + text); }

}  // namespace kvl::physics
