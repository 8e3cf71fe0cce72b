#include "common/dls/dls_error_log.h"

#include <cstdio>

namespace kvl::tracks {

void appendDlsErrorLine(const std::string& text) {
  // Text mode: the line ends in CR LF on Windows. The C runtime opens files without a sharing
  // restriction, so other readers and writers may hold the log at the same time.
  std::FILE* f = std::fopen(kDlsErrorLogName, "a");
  if (!f) return;
  std::fputs(text.c_str(), f);
  std::fputc('\n', f);
  std::fclose(f);
}

}  // namespace kvl::tracks
