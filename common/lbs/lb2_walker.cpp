#include "common/lbs/lb2_walker.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace kvl::tracks {

namespace {

constexpr int32_t kGeomElementSizes[9] = {16, 24, 48, 36, 60, 32, 56, 44, 68};
constexpr int64_t kRenderChunkSize = 112;
constexpr int64_t kBlockTailSize = 24;
constexpr int64_t kInitBlockSize = 24;
constexpr int64_t kExtraInitSize = 16;
constexpr int32_t kHasTexIdx = 0x10;
constexpr int32_t kHasDummy = 0x20;

std::string hexText(int32_t v) {
  static const char digits[] = "0123456789abcdef";
  uint32_t u = static_cast<uint32_t>(v);
  if (u == 0) return "0";
  std::string s;
  while (u) {
    s.insert(s.begin(), digits[u & 0xF]);
    u >>= 4;
  }
  return "0x" + s;
}

template <typename T>
std::string str(T v) {
  return std::to_string(v);
}

}  // namespace

Lb2Walker::Lb2Walker(ByteSource& input, std::string name, Lb2Sink& sink, LineLog& log)
    : in_(input), name_(std::move(name)), sink_(sink), log_(log), limit_(input.size()) {}

void Lb2Walker::readLb2File() {
  log("start reading LB2 file " + name_);
  try {
    walkFrames();
  } catch (const StreamFailure& f) {
    log("[ERROR] LB2 stream read failure: " + std::string(std::strerror(f.error)));
    log("Failed to read from file " + name_ + "!");
  }
  log("finished reading LB2 file " + name_);
}

void Lb2Walker::walkFrames() {
  if (in_.failed()) throw StreamFailure{in_.error()};
  const uint64_t size = in_.size();
  while (in_.position() < size) {
    const uint64_t framePos = in_.position();
    try {
      if (!walkFrame()) return;
    } catch (const EndOfData&) {
      if (in_.failed()) throw StreamFailure{in_.error()};
      log("file ends inside the frame at offset " + str(framePos) + " (file size " + str(size) + ")");
      return;
    }
    // Every frame moves the stream forward; a frame that does not ends the walk.
    if (in_.position() <= framePos) {
      log("no progress at offset " + str(framePos) + ", walk ended");
      return;
    }
  }
}

bool Lb2Walker::walkFrame() {
  const uint64_t size = in_.size();
  inSegment_ = false;
  limit_ = size;
  const uint64_t framePos = in_.position();
  const int32_t headerLength = readInt32();
  if (headerLength > 0 && static_cast<uint64_t>(headerLength) > size - in_.position()) {
    log("header length " + str(headerLength) + " at offset " + str(framePos) +
        " runs past the end of the file (file size " + str(size) + ")");
    return false;
  }
  uint8_t header[kSegmentHeaderBytes] = {};
  const std::size_t headerRead =
      headerLength > 0 ? std::min<std::size_t>(static_cast<std::size_t>(headerLength), kSegmentHeaderBytes) : 0;
  readExact(header, headerRead);
  const SegmentHeader type = segmentHeaderFromBytes(header, headerRead);
  log("HEADER  offset: " + str(framePos) + "  len: " + str(headerLength) + "  size: " + str(headerRead) +
      "  type01: " + str(type.type01) + "  type02: " + str(type.type02));
  if (headerLength > 0 && static_cast<std::size_t>(headerLength) > headerRead)
    seekTo(in_.position() + (static_cast<uint64_t>(headerLength) - headerRead));
  if (headerLength <= 0) return true;

  const int32_t segmentLength = readInt32();
  const uint64_t segmentPos = in_.position();
  log("SEGMENT  offset: " + str(segmentPos) + "  length: " + str(segmentLength) + "  type01: " +
      str(type.type01) + "  type02: " + str(type.type02));
  if (segmentLength == 0) return true;
  if (segmentLength < 0) {
    log("negative segment length " + str(segmentLength) + " at offset " + str(segmentPos) + ", walk ended");
    return false;
  }
  if (static_cast<uint64_t>(segmentLength) > size - segmentPos) {
    log("segment length " + str(segmentLength) + " at offset " + str(segmentPos) +
        " runs past the end of the file (file size " + str(size) + ")");
    return false;
  }
  const uint64_t segmentEnd = segmentPos + static_cast<uint64_t>(segmentLength);
  inSegment_ = true;
  limit_ = segmentEnd;
  bool known = true;
  try {
    if (isGeomBlocks(type)) {
      log("loading geom blocks segment");
      readGeomBlockHeader();
    } else if (isObjectBlocks(type)) {
      log("loading object blocks segment");
      readObjectBlocks();
    } else if (isVisibleObjects(type)) {
      log("loading visible objects segment");
      if (loadLb2Segment(static_cast<uint64_t>(segmentLength)))
        sink_.visibleObjects(buffer_.data(), buffer_.size());
      else
        log("failed to read visible objects segment of length " + str(segmentLength) + " at offset " +
            str(segmentPos));
    } else {
      log("unhandled segment detected!");
      known = false;
    }
  } catch (const BadSegmentData& bad) {
    log("bad segment data, rest of the segment skipped: " + bad.what);
  }
  inSegment_ = false;
  limit_ = size;
  if (in_.position() != segmentEnd) {
    log("offset mismatch detected -   new offset: " + str(in_.position()) +
        "  old offset + segment length: " + str(segmentEnd));
    // A segment of an unknown kind is not skipped: the walk reads on inside its bytes, as frames.
    // A known kind whose handler stopped short or gave up goes on at its segment's end.
    if (known) seekTo(segmentEnd);
  }
  return true;
}

void Lb2Walker::readGeomBlockHeader() {
  if (!loadLb2Segment(kSegmentHeaderBytes)) {
    log("failed to read geom block header!");
    return;
  }
  const std::vector<uint8_t> header = buffer_;
  sink_.geomBlocks(*this, header.data(), header.size());
  if (pendingFailure_) {
    const int error = pendingFailure_;
    pendingFailure_ = 0;
    throw StreamFailure{error};
  }
}

bool Lb2Walker::readGeomBlocks(std::vector<uint8_t>& out) noexcept {
  out.clear();
  if (pendingFailure_) return false;
  try {
    const uint64_t start = in_.position();
    log("calculating geom block buffer size ...");
    measureGeomBlocks(out, start);
    return !out.empty();
  } catch (const BadSegmentData& bad) {
    try {
      log("bad segment data, rest of the segment skipped: " + bad.what);
    } catch (...) {
    }
  } catch (const StreamFailure& f) {
    pendingFailure_ = f.error;
  } catch (...) {
  }
  out.clear();
  return false;
}

void Lb2Walker::measureGeomBlocks(std::vector<uint8_t>& out, uint64_t start) {
  for (const int32_t elementSize : kGeomElementSizes) {
    const int32_t indexCount = readInt32();
    log("geom block size: " + hexText(elementSize) + "  index buffer size: " + str(indexCount));
    if (indexCount == 0) {
      readInt32();
      continue;
    }
    const int64_t indexBytes = skip(indexCount, 2);
    log("geom block index buffer skipped bytes: " + str(indexBytes));
    const int32_t vertexCount = readInt32();
    log("geom block size: " + hexText(elementSize) + "  vertex buffer size: " + str(vertexCount));
    const int64_t vertexBytes = skip(vertexCount, elementSize);
    log("geom block vertex buffer skipped bytes: " + str(vertexBytes));
  }
  const int32_t chunks = readInt32();
  const int64_t chunkBytes = skip(chunks, kRenderChunkSize);
  log("geom blocks render chunks: " + str(chunks) + "  skipped bytes: " + str(chunkBytes));
  const uint64_t required = in_.position() - start + kBlockTailSize;
  log("required geom block buffer length: " + str(required) + "  offset: " + str(start));
  seekTo(start);
  if (required > limit_ - start) {
    log("GEOM_BLOCKS  offset: " + str(start) + "  failed to read buffer of length " + str(required));
    return;
  }
  out.resize(static_cast<std::size_t>(required));
  readExact(out.data(), out.size());
}

void Lb2Walker::readObjectBlocks() {
  log("loading object blocks ...");
  sink_.objectBlockHolder();
  const int32_t segments = readInt32();
  log("num object block segments: " + str(segments));
  for (int32_t segIdx = 0; segIdx < segments; ++segIdx) {
    const int32_t flag = readInt32();
    log("segIdx: " + str(segIdx) + "  flag: " + str(flag));
    if (flag == 0) continue;
    for (int32_t sub = 1; sub <= 2; ++sub) {
      const int32_t blocks = readInt32();
      log("segIdx: " + str(segIdx) + "  seg: " + str(sub) + "  num object blocks: " + str(blocks));
      for (int32_t block = 1; block <= blocks; ++block) readObjectBlock(segIdx, sub, block);
    }
  }
}

void Lb2Walker::readObjectBlock(int32_t segIdx, int32_t sub, int32_t block) {
  const uint64_t start = in_.position();
  const int32_t flags01 = readInt32();
  const int32_t flags02 = readInt32();
  log("segIdx: " + str(segIdx) + "  seg: " + str(sub) + "  blk: " + str(block) + "  flags01: " + str(flags01) +
      "  flags02: " + str(flags02));
  const int32_t texIdx = (flags01 & kHasTexIdx) ? readInt32() : 0;
  const int32_t firstDummy = (flags01 & kHasDummy) ? readInt32() : 0;
  log("texIdx: " + str(texIdx) + "  dummy: " + str(firstDummy));
  const int32_t initBlock = readInt32();
  const int32_t elementLength = readInt32();
  const int32_t dummy = readInt32();
  log("bInitBlk: " + str(initBlock) + "  element length: " + str(elementLength) + "  dummy: " + str(dummy));
  const int32_t indexSize = readInt32();
  const int64_t indexBytes = skip(indexSize, 2);
  const int8_t indexBuffers = readByte();
  log("index buffer size: " + str(indexSize) + "  skipped bytes: " + str(indexBytes) +
      "  num index buffers: " + str(static_cast<int>(indexBuffers)));
  if (indexBuffers == 2) {
    const int32_t secondSize = readInt32();
    const int64_t secondBytes = skip(secondSize, 2);
    log("second index buffer size: " + str(secondSize) + "  skipped bytes: " + str(secondBytes));
  }
  const int32_t vertices = readInt32();
  log("num vertices: " + str(vertices));
  if (initBlock != 0) {
    log("init block data skipped bytes: " + str(skip(1, kInitBlockSize)));
    if (flags01 & kHasTexIdx) log("flags01 & 0x10 skipped bytes: " + str(skip(1, kExtraInitSize)));
  }
  const int64_t vertexBytes = skip(vertices, elementLength);
  log("vertices skipped bytes: " + str(vertexBytes));
  const uint64_t required = in_.position() - start + kBlockTailSize;
  log("required object block buffer length: " + str(required) + "  offset: " + str(start));
  seekTo(start);
  if (!loadLb2Segment(required)) {
    log("OBJECT_BLOCKS  segIdx: " + str(segIdx) + "  seg: " + str(sub) + "  blk: " + str(block) +
        "  offset: " + str(start) + "  failed to read buffer of length " + str(required));
    // The block's end is unknown beyond this point: give up on the rest of the segment.
    throw BadSegmentData{"object block at offset " + str(start) + " runs past the segment end " + str(limit_)};
  }
  sink_.objectBlock(segIdx, buffer_.data(), buffer_.size());
}

void Lb2Walker::readExact(void* destination, std::size_t n) {
  const uint64_t pos = in_.position();
  if (n > limit_ - pos) {
    if (inSegment_)
      throw BadSegmentData{"read of " + str(n) + " bytes at offset " + str(pos) + " runs past the segment end " +
                           str(limit_)};
    throw EndOfData{};
  }
  if (n == 0) return;
  if (in_.read(destination, n) < n) {
    if (in_.failed()) throw StreamFailure{in_.error()};
    throw EndOfData{};
  }
}

int32_t Lb2Walker::readInt32() {
  uint8_t b[4];
  readExact(b, 4);
  return readLittleInt32(b);
}

int8_t Lb2Walker::readByte() {
  uint8_t b = 0;
  readExact(&b, 1);
  return static_cast<int8_t>(b);
}

int64_t Lb2Walker::skip(int64_t count, int64_t size) {
  const uint64_t before = in_.position();
  const int64_t length = count * size;
  if (length < 0)
    throw BadSegmentData{"negative skip of " + str(length) + " bytes at offset " + str(before)};
  if (static_cast<uint64_t>(length) > limit_ - before)
    throw BadSegmentData{"skip of " + str(length) + " bytes at offset " + str(before) +
                         " runs past the segment end " + str(limit_)};
  seekTo(before + static_cast<uint64_t>(length));
  return static_cast<int64_t>(in_.position() - before);
}

void Lb2Walker::seekTo(uint64_t position) {
  if (!in_.seek(position)) {
    if (in_.failed()) throw StreamFailure{in_.error()};
    throw EndOfData{};
  }
}

bool Lb2Walker::loadLb2Segment(uint64_t n) {
  const uint64_t pos = in_.position();
  if (n > limit_ - pos) return false;
  buffer_.resize(static_cast<std::size_t>(n));
  readExact(buffer_.data(), buffer_.size());
  return true;
}

}  // namespace kvl::tracks
