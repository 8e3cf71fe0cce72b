#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/lbs/byte_source.h"
#include "common/lbs/lbs_frame.h"
#include "common/lbs/line_log.h"

namespace kvl::tracks {

class Lb2Walker;

// What the host receives while an LB2 file is walked. Each call hands over the bytes that the
// host's own segment routine parses; the walker only measures and frames them.
class Lb2Sink {
 public:
  virtual ~Lb2Sink() = default;
  // The host's geom-blocks routine, given the 8-byte geom block header. The routine fetches the
  // geom-block data itself, through Lb2Walker::readGeomBlocks (the hook inside that routine).
  virtual void geomBlocks(Lb2Walker& walker, const uint8_t* header, std::size_t size) = 0;
  // Creates the host's object-block holder; called once per object blocks segment.
  virtual void objectBlockHolder() = 0;
  // One object block of segment segIdx, measured and read whole.
  virtual void objectBlock(int32_t segIdx, const uint8_t* block, std::size_t size) = 0;
  // The host's visible-objects routine on a whole visible objects segment.
  virtual void visibleObjects(const uint8_t* segment, std::size_t size) = 0;
};

// Walks the frames of an LB2 file and feeds the geom blocks, object blocks and visible objects
// segments to the sink, writing its record to the log. Lengths, counts and skips read from the
// file are checked against the current segment and the file's size; a segment whose data does
// not fit is abandoned with a finding and the walk goes on at the segment's end. A segment of an
// unknown kind is not skipped: the walk goes on inside its bytes.
class Lb2Walker {
 public:
  Lb2Walker(ByteSource& input, std::string name, Lb2Sink& sink, LineLog& log);

  // The whole walk, from "start reading LB2 file " to "finished reading LB2 file ".
  void readLb2File();

  // Measures the geom-block data at the current position (nine index and vertex blocks, the
  // render chunks and the 24-byte tail), logs it and reads it whole into out. False when the
  // data does not fit in the current segment or cannot be read; out is then empty. Never throws:
  // it runs inside the host's geom-blocks routine.
  bool readGeomBlocks(std::vector<uint8_t>& out) noexcept;

  // The bytes of the last segment or block loaded for the host.
  const std::vector<uint8_t>& buffer() const { return buffer_; }

 private:
  struct EndOfData {};
  struct StreamFailure {
    int error;
  };
  struct BadSegmentData {
    std::string what;
  };

  void walkFrames();
  bool walkFrame();
  void readGeomBlockHeader();
  void readObjectBlocks();
  void readObjectBlock(int32_t segIdx, int32_t subSegment, int32_t block);
  void measureGeomBlocks(std::vector<uint8_t>& out, uint64_t start);

  // Reads inside the current limit: a frame-level read that runs past the file's end throws
  // EndOfData, one that runs past the current segment throws BadSegmentData.
  void readExact(void* destination, std::size_t n);
  int32_t readInt32();
  int8_t readByte();
  // Skips count x size bytes forward within the current segment; returns the bytes skipped.
  int64_t skip(int64_t count, int64_t size);
  void seekTo(uint64_t position);
  // Reads n bytes from the current position into buffer_; false (nothing read) when they do
  // not fit in the current segment.
  bool loadLb2Segment(uint64_t n);
  void log(const std::string& text) { log_.line(text); }

  ByteSource& in_;
  std::string name_;
  Lb2Sink& sink_;
  LineLog& log_;
  std::vector<uint8_t> buffer_;
  uint64_t limit_;            // end of the current segment, or of the file between segments
  bool inSegment_ = false;
  int pendingFailure_ = 0;    // a stream failure met inside readGeomBlocks
};

}  // namespace kvl::tracks
