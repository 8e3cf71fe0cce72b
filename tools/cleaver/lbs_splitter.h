#pragma once
#include <cstdint>
#include <ostream>
#include <string>

#include "common/lbs/byte_source.h"
#include "tools/cleaver/byte_sink.h"

namespace kvl::tools {

// How a split ended.
struct SplitOutcome {
  uint64_t bytesRead = 0;
  bool inputFailed = false;   // a read error (not the end of the data)
  bool truncated = false;     // the data ends inside a frame
  uint64_t truncatedFrame = 0;  // offset of that frame
};

// Copies every frame of the input, unchanged and in order, to lb2 when it is a geom blocks,
// object blocks or visible objects frame and to lbs otherwise, reporting each frame on report.
// Segment data is copied in pieces of up to 256 KiB, read straight into the output's buffer.
// Ends at the end of the input, at the first read or write failure, or at a frame cut short.
// Writes no end lines.
SplitOutcome splitLbsFrames(kvl::tracks::ByteSource& input, ByteSink& lbs, ByteSink& lb2, std::ostream& report);

// Copies count bytes in pieces of up to 256 KiB while both sides are good; returns the
// bytes read. Reports its progress and a failure on report.
uint64_t copyBlock(kvl::tracks::ByteSource& input, ByteSink& output, int64_t count, std::ostream& report);

}  // namespace kvl::tools
