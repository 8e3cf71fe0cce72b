#include "plugin/host/workers/step_batch.h"

#include <cstring>

namespace kvl::host {
namespace {

bool within(const unsigned char* cursor, const unsigned char* begin) {
  return cursor >= begin && cursor <= begin + StepBatch::kArrayBytes;
}

// Copies the whole items of [from, to) to *cursor and advances it.
void copyItems(const unsigned char* from, const unsigned char* to, unsigned char** cursor) {
  if (to <= from) return;
  const auto bytes = static_cast<std::size_t>(to - from) / StepBatch::kItemSize * StepBatch::kItemSize;
  std::memcpy(*cursor, from, bytes);
  *cursor += bytes;
}

}  // namespace

StepBatch::StepBatch()
    : segments(1),
      primary_(new unsigned char[kArrayBytes]()),
      secondary_(new unsigned char[kArrayBytes]()) {
  segments[0].end = primary_.get();
}

void StepBatch::clear(std::size_t segmentCount) {
  std::memset(primary_.get(), 0, kArrayBytes);
  std::memset(secondary_.get(), 0, kArrayBytes);
  segments.assign(segmentCount, BatchSegment{});
  drop();
}

void StepBatch::drop() {
  for (std::size_t i = 0; i < segments.size(); ++i) {
    segments[i] = BatchSegment{0, i == 0 ? primary_.get() : secondary_.get()};
  }
}

bool StepBatch::fill(BatchFiller& filler) {
  std::int32_t runs = filler.runCount();
  if (runs < 0) runs = 0;
  if (runs > static_cast<std::int32_t>(kItemCount)) runs = static_cast<std::int32_t>(kItemCount);
  segments.assign(static_cast<std::size_t>(runs) + 1, BatchSegment{});
  drop();
  unsigned char* cursor = primary_.get();
  const std::int32_t primaryCount = filler.fillPrimary(&cursor);
  if (!within(cursor, primary_.get())) {
    drop();
    return false;
  }
  segments[0] = BatchSegment{primaryCount, cursor};
  unsigned char* cursor2 = secondary_.get();
  for (std::int32_t i = 0; i < runs; ++i) {
    const std::int32_t a = filler.fillFirst(i, &cursor2);
    const bool firstInside = within(cursor2, secondary_.get());
    const std::int32_t b = firstInside ? filler.fillSecond(i, &cursor2) : 0;
    if (!firstInside || !within(cursor2, secondary_.get())) {
      drop();
      return false;
    }
    segments[static_cast<std::size_t>(i) + 1] = BatchSegment{a + b, cursor2};
  }
  return true;
}

std::int32_t StepBatch::readPrimary(unsigned char** cursor) const {
  if (segments.empty()) return 0;
  copyItems(primary_.get(), segments[0].end, cursor);
  return segments[0].count;
}

void StepBatch::readSegments(std::int32_t runs, std::int32_t* counts, unsigned char** cursor) const {
  const auto present = static_cast<std::int32_t>(segments.empty() ? 0 : segments.size() - 1);
  const unsigned char* from = secondary_.get();
  for (std::int32_t i = 0; i < runs; ++i) {
    if (i >= present) {
      counts[i] = 0;
      continue;
    }
    const BatchSegment& s = segments[static_cast<std::size_t>(i) + 1];
    copyItems(from, s.end, cursor);
    if (s.end > from) from = s.end;
    counts[i] = s.count;
  }
}

}  // namespace kvl::host
