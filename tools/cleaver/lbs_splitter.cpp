#include "tools/cleaver/lbs_splitter.h"

#include <algorithm>
#include <cstring>

#include "common/lbs/lbs_frame.h"

namespace kvl::tools {

namespace {

using kvl::tracks::ByteSource;
using kvl::tracks::SegmentHeader;

// Segment data goes in pieces as large as the room a sink gives: a file source reads a piece
// larger than its own buffer from the file straight into the sink, without a copy in between.
constexpr std::size_t kCopyBlockSize = ByteSink::kMaxRoom;

// Reads up to n bytes; the count read.
std::size_t readSome(ByteSource& in, void* destination, std::size_t n) { return in.read(destination, n); }

std::string errorText(int error) { return error ? std::strerror(error) : "unexpected end of file"; }

}  // namespace

uint64_t copyBlock(ByteSource& input, ByteSink& output, int64_t count, std::ostream& report) {
  // Not flushed here: a flush per segment would cost a system call per frame; the report
  // reaches the console as its buffer fills and at the end.
  report << "copying data ... ";
  uint64_t result = 0;
  bool inputShort = false;
  while (count > 0 && !inputShort && !input.failed() && !output.failed()) {
    // No more room than the input can still fill (at least one byte, to find its end): a frame
    // that claims more than the input holds costs no more than the bytes there are.
    const uint64_t left = input.size() > input.position() ? input.size() - input.position() : 0;
    const std::size_t want = static_cast<std::size_t>(
        std::min<uint64_t>({static_cast<uint64_t>(count), kCopyBlockSize, std::max<uint64_t>(left, 1)}));
    // Read straight into the output's own buffer: one copy of the data, not two.
    unsigned char* buffer = output.room(want);
    if (!buffer) break;
    const std::size_t got = readSome(input, buffer, want);
    result += got;
    output.commit(got);
    count -= static_cast<int64_t>(got);
    inputShort = got < want;
  }
  report << " done!\n";
  if (count > 0 || output.failed()) {
    const int error = output.failed() ? output.error() : input.error();
    report << "failed to copy " << count << " bytes: " << errorText(error) << "\n";
  }
  return result;
}

SplitOutcome splitLbsFrames(ByteSource& in, ByteSink& lbs, ByteSink& lb2, std::ostream& report) {
  SplitOutcome outcome;
  // Marks the current frame as cut short (or the input as failed); false to end the walk.
  auto shortRead = [&](uint64_t frameStart) {
    if (in.failed()) {
      outcome.inputFailed = true;
    } else {
      outcome.truncated = true;
      outcome.truncatedFrame = frameStart;
    }
  };
  for (;;) {
    const uint64_t frameStart = outcome.bytesRead;
    unsigned char word[4];
    const std::size_t got = readSome(in, word, 4);
    outcome.bytesRead += got;
    if (got == 0 && !in.failed()) break;  // the end of the input, between frames
    if (got < 4) {
      shortRead(frameStart);
      break;
    }
    const int32_t headerLength = kvl::tracks::readLittleInt32(word);
    // A negative header length reads no header bytes.
    const std::size_t wanted =
        headerLength > 0 ? std::min<std::size_t>(static_cast<std::size_t>(headerLength), tracks::kSegmentHeaderBytes) : 0;
    unsigned char header[tracks::kSegmentHeaderBytes] = {};
    const std::size_t n = wanted ? readSome(in, header, wanted) : 0;
    outcome.bytesRead += n;
    if (n < wanted) {
      shortRead(frameStart);
      break;
    }
    report << "HEADER" << "  len: " << headerLength << "  size: " << n << "\n";
    SegmentHeader type;
    if (n < 4) {
      report << "invalid header length: " << n << "\n";
    } else if (n == 4) {
      report << "short header length: " << n << "\n";
    }
    type = tracks::segmentHeaderFromBytes(header, n);
    report << "SEGMENT" << "  offset: " << in.position() << "  type01: " << type.type01 << "  type02: " << type.type02
           << "\n";
    const bool toLb2 = tracks::belongsToLb2(type);
    ByteSink& out = toLb2 ? lb2 : lbs;
    report << (toLb2 ? "LB2 segment type detected" : "LBS segment type detected") << "\n";
    report << "writing header" << "  type01: " << type.type01 << "  type02: " << type.type02 << "\n";
    if (!out.write(word, 4) || !out.write(header, n)) break;
    if (headerLength > 0 && static_cast<std::size_t>(headerLength) > n) {
      const int64_t rest = static_cast<int64_t>(headerLength) - static_cast<int64_t>(n);
      const uint64_t copied = copyBlock(in, out, rest, report);
      outcome.bytesRead += copied;
      if (out.failed()) break;
      if (copied < static_cast<uint64_t>(rest)) {
        shortRead(frameStart);
        break;
      }
    }
    if (headerLength < 1) continue;

    const std::size_t lengthRead = readSome(in, word, 4);
    outcome.bytesRead += lengthRead;
    if (lengthRead < 4) {
      shortRead(frameStart);
      break;
    }
    const int32_t segmentLength = kvl::tracks::readLittleInt32(word);
    report << "copying segment" << "  type01: " << type.type01 << "  type02: " << type.type02
           << "  segment len: " << segmentLength << "\n";
    if (!out.write(word, 4)) break;
    if (segmentLength > 0) {
      const uint64_t copied = copyBlock(in, out, segmentLength, report);
      outcome.bytesRead += copied;
      if (out.failed()) break;
      if (copied < static_cast<uint64_t>(segmentLength)) {
        shortRead(frameStart);
        break;
      }
    }
  }
  return outcome;
}

}  // namespace kvl::tools
