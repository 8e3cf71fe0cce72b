#include "common/lbs/line_log.h"

namespace kvl::tracks {

FileLineLog::FileLineLog(const std::string& path) : file_(std::fopen(path.c_str(), "w")) {}

FileLineLog::~FileLineLog() {
  if (file_) std::fclose(file_);
}

void FileLineLog::line(const std::string& text) {
  if (!file_) return;
  std::fputs(text.c_str(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

}  // namespace kvl::tracks
