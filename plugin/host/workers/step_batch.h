#pragma once
// One buffer of the step's item batch: the view block, the segment list and the two item
// arrays the host's item code fills during a physics step and reads back on the host thread.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kvl::host {

struct BatchSegment {
  std::int32_t count = 0;
  unsigned char* end = nullptr;  // one past the segment's last byte
};

// What fills a batch: the host's item routines.
class BatchFiller {
 public:
  virtual ~BatchFiller() = default;
  virtual std::int32_t fillPrimary(unsigned char** cursor) = 0;
  virtual std::int32_t runCount() = 0;
  virtual std::int32_t fillFirst(std::int32_t run, unsigned char** cursor) = 0;
  virtual std::int32_t fillSecond(std::int32_t run, unsigned char** cursor) = 0;
};

class StepBatch {
 public:
  static constexpr std::size_t kItemSize = 24;
  static constexpr std::size_t kItemCount = 200000;
  static constexpr std::size_t kArrayBytes = kItemSize * kItemCount;
  static constexpr std::size_t kViewBytes = 96;

  StepBatch();

  // Zeroes both arrays and makes `segmentCount` empty segments.
  void clear(std::size_t segmentCount);
  // Segment 0 from the primary fill, segment i + 1 from run i of the secondary fills. A fill that
  // leaves its cursor outside its array drops the whole batch (every segment empty); false then.
  bool fill(BatchFiller& filler);
  // Copies segment 0's whole items to *cursor and advances it; segment 0's count.
  std::int32_t readPrimary(unsigned char** cursor) const;
  // Copies the first `runs` runs (no more than the batch holds) to *cursor and writes their
  // counts into counts[0..runs-1]; entries past the runs the batch holds are set to 0.
  void readSegments(std::int32_t runs, std::int32_t* counts, unsigned char** cursor) const;

  unsigned char view[kViewBytes] = {};
  std::vector<BatchSegment> segments;
  unsigned char* primaryBegin() const noexcept { return primary_.get(); }
  unsigned char* secondaryBegin() const noexcept { return secondary_.get(); }

 private:
  void drop();

  std::unique_ptr<unsigned char[]> primary_;
  std::unique_ptr<unsigned char[]> secondary_;
};

}  // namespace kvl::host
