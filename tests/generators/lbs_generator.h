#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvl::testdata {

using Bytes = std::vector<uint8_t>;

void appendI32(Bytes& b, int32_t v);

// One frame as it is stored: header length, header bytes, and (when hasSegmentLength) the
// segment length and segment bytes. Fields may contradict each other on purpose.
struct Frame {
  int32_t headerLength = 8;
  Bytes header;
  bool hasSegmentLength = true;
  int32_t segmentLength = 0;
  Bytes segment;
};

Bytes frameBytes(const Frame& f);
Bytes framesBytes(const std::vector<Frame>& frames);

// A well-formed frame with an 8-byte header of the two type words.
Frame typedFrame(int32_t type01, int32_t type02, const Bytes& segment);
// A frame whose header has n bytes; the type words are taken from its first 8 bytes.
Frame frameWithHeaderBytes(int32_t type01, int32_t type02, int32_t headerLength, const Bytes& segment);
// A frame with a header length of 0 or less (no header bytes, no segment length).
Frame bareFrame(int32_t headerLength);

// Geom blocks segment: 8-byte geom block header, nine blocks, render chunks, 24-byte tail.
struct GeomBlocksLayout {
  std::array<int32_t, 9> indexCounts{};
  std::array<int32_t, 9> vertexCounts{};
  int32_t renderChunks = 0;
};
inline constexpr std::array<int32_t, 9> kGeomElementSizes = {16, 24, 48, 36, 60, 32, 56, 44, 68};
Bytes geomBlocksSegment(const GeomBlocksLayout& layout);
// Bytes of the geom-block data after the 8-byte header (what the walker hands the host).
std::size_t geomBlocksDataSize(const GeomBlocksLayout& layout);

struct ObjectBlock {
  int32_t flags01 = 0;
  int32_t flags02 = 0;
  int32_t texIdx = 0;      // written when flags01 has 0x10
  int32_t dummy1 = 0;      // written when flags01 has 0x20
  int32_t initBlock = 0;
  int32_t elementLength = 12;
  int32_t dummy = 0;
  int32_t indexSize = 3;
  int8_t indexBuffers = 1;
  int32_t secondIndexSize = 0;  // written when indexBuffers is 2
  int32_t vertices = 2;
};
Bytes objectBlockBytes(const ObjectBlock& block);

struct ObjectSegment {
  int32_t flag = 1;
  std::vector<ObjectBlock> first;
  std::vector<ObjectBlock> second;
};
Bytes objectBlocksSegment(const std::vector<ObjectSegment>& segments);

// A small stage: LBS-kind frames mixed with one frame of each LB2 kind.
std::vector<Frame> sampleStageFrames();
// The frames of the sample stage that belong in its LB2 file, in order.
std::vector<Frame> sampleLb2Frames();

// Frames built from arbitrary bytes (for fuzzing): kinds, counts and sizes come from the input.
std::vector<Frame> framesFromSeed(const uint8_t* data, std::size_t size);

// Writes a well-formed LBS file of about targetBytes, mixing all segment kinds; returns the
// bytes written (0 on a failure).
uint64_t writeLargeLbs(const std::string& path, uint64_t targetBytes);

bool writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace kvl::testdata
