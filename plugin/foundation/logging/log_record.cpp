#include "plugin/foundation/logging/log_record.h"

#include <cstdio>

#ifdef _WIN32
#include <share.h>
#endif

#include "plugin/foundation/logging/process_context.h"

namespace kvl {

LogRecord::LogRecord() = default;

LogRecord& LogRecord::flush() {
  if (enabled_) {
    appendLogLine(logFilePath(), logLineHeader(currentLocalTime(), currentProcessId(), currentThreadId()),
                  text_.str());
  }
  text_.str(std::string());
  text_.clear();
  return *this;
}

LogRecord& endRecord(LogRecord& record) { return record.flush(); }

std::string logFilePath() { return temporaryFolder() + "QZR.log"; }

std::string logLineHeader(const SystemTime& time, unsigned processId, unsigned threadId) {
  char header[100];
  std::snprintf(header, sizeof header, "%02d.%02d.%d %02d:%02d:%02d.%03d [%u:%u]:", time.day, time.month, time.year,
                time.hour, time.minute, time.second, time.milliseconds, processId, threadId);
  return header;
}

void appendLogLine(const std::string& path, const std::string& header, const std::string& text) {
#ifdef _WIN32
  std::FILE* file = _fsopen(path.c_str(), "a", _SH_DENYNO);
#else
  std::FILE* file = std::fopen(path.c_str(), "a");
#endif
  if (file == nullptr) return;
  const std::string line = header + " " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

}  // namespace kvl
