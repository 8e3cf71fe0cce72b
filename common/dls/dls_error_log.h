#pragma once
#include <string>

namespace kvl::tracks {

// The findings file of the animation-data check, in the current directory.
inline constexpr const char* kDlsErrorLogName = "dlserrors.log";

// Appends one line (text and end of line) to "dlserrors.log". The file is opened for appending
// with sharing for this line only and closed after it; a file that cannot be opened drops the
// line silently.
void appendDlsErrorLine(const std::string& text);

}  // namespace kvl::tracks
