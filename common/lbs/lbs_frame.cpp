#include "common/lbs/lbs_frame.h"

namespace kvl::tracks {

int32_t readLittleInt32(const uint8_t* b) {
  const uint32_t v = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                     static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  return static_cast<int32_t>(v);
}

void writeLittleInt32(uint8_t* b, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  b[0] = static_cast<uint8_t>(v);
  b[1] = static_cast<uint8_t>(v >> 8);
  b[2] = static_cast<uint8_t>(v >> 16);
  b[3] = static_cast<uint8_t>(v >> 24);
}

SegmentHeader segmentHeaderFromBytes(const uint8_t* bytes, std::size_t n) {
  SegmentHeader h;
  if (n == 4) {
    h.type01 = readLittleInt32(bytes);
  } else if (n >= kSegmentHeaderBytes) {
    h.type01 = readLittleInt32(bytes);
    h.type02 = readLittleInt32(bytes + 4);
  }
  return h;
}

std::string lb2FileName(const std::string& lbsPath) {
  std::string name = lbsPath;
  if (!name.empty()) name.back() = '2';
  return name;
}

}  // namespace kvl::tracks
