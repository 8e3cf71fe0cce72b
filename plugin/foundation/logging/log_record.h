#pragma once
#include <sstream>
#include <string>

#include "common/text/date_time_text.h"

namespace kvl {

// One diagnostic record: a log site streams its text into it and ends it with endRecord, which
// appends the record as one time-stamped line to "QZR.log" in the temporary folder when the record
// is enabled. Every record of this build is disabled, so nothing is written.
class LogRecord {
 public:
  LogRecord();

  LogRecord& operator<<(const std::string& v) { return put(v); }
  LogRecord& operator<<(char v) { return put(v); }
  LogRecord& operator<<(int v) { return put(v); }
  LogRecord& operator<<(unsigned v) { return put(v); }
  LogRecord& operator<<(float v) { return put(v); }
  LogRecord& operator<<(double v) { return put(v); }
  LogRecord& operator<<(const char* v) { return put(v != nullptr ? v : ""); }
  LogRecord& operator<<(bool v) {
    text_ << std::boolalpha << v;
    return *this;
  }
  LogRecord& operator<<(std::ostream& (*manipulator)(std::ostream&)) {
    manipulator(text_);
    return *this;
  }
  LogRecord& operator<<(std::ios_base& (*manipulator)(std::ios_base&)) {
    manipulator(text_);
    return *this;
  }
  LogRecord& operator<<(LogRecord& (*manipulator)(LogRecord&)) { return manipulator(*this); }

  bool isEnabled() const { return enabled_; }

  // Appends the line when enabled; in every case empties the record for reuse.
  LogRecord& flush();

  // The text composed so far.
  std::string text() const { return text_.str(); }

 private:
  template <class T>
  LogRecord& put(const T& v) {
    text_ << v;
    return *this;
  }

  std::ostringstream text_;
  bool enabled_ = false;
};

// Ends a record: flushes it.
LogRecord& endRecord(LogRecord& record);

// The path of the log file: the temporary folder followed by "QZR.log".
std::string logFilePath();

// "DD.MM.YYYY hh:mm:ss.mmm [process:thread]:" (at most 99 characters).
std::string logLineHeader(const SystemTime& time, unsigned processId, unsigned threadId);

// Appends header, a blank, the text and a line end to the file in one open-write-close, letting
// others read and write the file meanwhile. A file that cannot be opened loses the line.
void appendLogLine(const std::string& path, const std::string& header, const std::string& text);

}  // namespace kvl
