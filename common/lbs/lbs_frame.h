#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvl::tracks {

// Track geometry files (LBS and LB2) are a sequence of frames, all little-endian:
//   i32 header length H; H header bytes (i32 type01, i32 type02, any further bytes are skipped);
//   only when H > 0: i32 segment length L and L segment bytes.
// A header of exactly 4 bytes gives type01 alone (type02 = 0); 0 to 3 and 5 to 7 bytes give 0, 0.
struct SegmentHeader {
  int32_t type01 = 0;
  int32_t type02 = 0;
};

inline constexpr std::size_t kSegmentHeaderBytes = 8;

// The type words of a frame header of which n bytes (at most 8) were read.
SegmentHeader segmentHeaderFromBytes(const uint8_t* bytes, std::size_t n);

// Segment kinds that live in the LB2 companion file.
inline bool isGeomBlocks(const SegmentHeader& h) { return h.type01 == 1 && h.type02 == 0; }
inline bool isObjectBlocks(const SegmentHeader& h) { return h.type01 == 1 && h.type02 == 1; }
inline bool isVisibleObjects(const SegmentHeader& h) { return h.type01 == 2 && h.type02 == 10; }
inline bool belongsToLb2(const SegmentHeader& h) {
  return isGeomBlocks(h) || isObjectBlocks(h) || isVisibleObjects(h);
}

// The LB2 companion's name: the LBS path with its last character replaced by '2'. An empty path
// stays empty.
std::string lb2FileName(const std::string& lbsPath);

int32_t readLittleInt32(const uint8_t* bytes);
void writeLittleInt32(uint8_t* bytes, int32_t value);

}  // namespace kvl::tracks
