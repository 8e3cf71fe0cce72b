#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvl::tracks {

// What one check of DLS animation data found: the verdict and the composed report text
// (without the leading date and time). The text is only worth logging when ok is false.
struct DlsCheckReport {
  bool ok = false;
  std::string text;
};

// Checks and repairs DLS animation data in place, without touching any file: the file magic,
// the major version, the animation id table and the channel lists of every animation set.
// Every offset and count read from the data is checked against size before it is used; an
// entry list with an out-of-range entry is disabled by writing 0 into its count.
DlsCheckReport inspectDlsData(int stage, uint8_t* data, std::size_t size, const char* fileName);

// inspectDlsData, then one line with the local date and time and the report appended to
// "dlserrors.log" when anything was found or failed. True when nothing was found.
bool checkDlsData(int stage, uint8_t* data, std::size_t size, const char* fileName = nullptr);

}  // namespace kvl::tracks
