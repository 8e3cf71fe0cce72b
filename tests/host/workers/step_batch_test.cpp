#include "plugin/host/workers/step_batch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace kvl::host {
namespace {

constexpr std::size_t kItem = StepBatch::kItemSize;

// Fills writing one tagged item per count, or moving the cursor by a set number of bytes without
// writing (a host routine that overran).
struct FakeFiller : BatchFiller {
  std::int32_t primary = 0;
  std::vector<std::pair<std::int32_t, std::int32_t>> runs;  // first, second
  std::ptrdiff_t primaryJump = 0, secondJump = 0;           // extra bytes moved

  static std::int32_t write(unsigned char** cursor, std::int32_t n, unsigned char tag) {
    for (std::int32_t i = 0; i < n; ++i, *cursor += kItem) std::memset(*cursor, tag, kItem);
    return n;
  }
  std::int32_t fillPrimary(unsigned char** c) override {
    const std::int32_t n = write(c, primary, 0x50);
    *c += primaryJump;
    return n;
  }
  std::int32_t runCount() override { return static_cast<std::int32_t>(runs.size()); }
  std::int32_t fillFirst(std::int32_t i, unsigned char** c) override {
    return write(c, runs[static_cast<std::size_t>(i)].first, static_cast<unsigned char>(0xA0 + i));
  }
  std::int32_t fillSecond(std::int32_t i, unsigned char** c) override {
    const std::int32_t n = write(c, runs[static_cast<std::size_t>(i)].second, static_cast<unsigned char>(0xB0 + i));
    *c += secondJump;
    return n;
  }
};

// The first byte of each whole item written to out.
std::vector<int> tags(const std::vector<unsigned char>& out, const unsigned char* end) {
  std::vector<int> t;
  for (const unsigned char* p = out.data(); p + kItem <= end; p += kItem) t.push_back(*p);
  return t;
}

struct Case {
  const char* name;
  std::int32_t primary;
  std::vector<std::pair<std::int32_t, std::int32_t>> runs;
  std::ptrdiff_t primaryJump, secondJump;
  std::int32_t hostRuns;  // entries in the host's run list
  bool filled;
  std::int32_t primaryCount;
  std::vector<int> primaryTags;
  std::vector<std::int32_t> counts;
  std::vector<int> runTags;
};

TEST(StepBatch, FillsAndReadsBackWholeItems) {
  const std::int32_t kUntouched = -7;
  const Case cases[] = {
      {"two runs", 2, {{1, 1}, {0, 2}}, 0, 0, 2, true, 2, {0x50, 0x50}, {2, 2}, {0xA0, 0xB0, 0xB1, 0xB1}},
      {"more host runs than filled: the rest read 0", 1, {{1, 0}}, 0, 0, 3, true, 1, {0x50}, {1, 0, 0}, {0xA0}},
      {"no host runs", 1, {{1, 0}}, 0, 0, 0, true, 1, {0x50}, {}, {}},
      {"a part item is not copied", 1, {}, 10, 0, 0, true, 1, {0x50}, {}, {}},
      {"primary past the array: dropped", 1, {{1, 0}}, static_cast<std::ptrdiff_t>(StepBatch::kArrayBytes), 0, 1,
       false, 0, {}, {0}, {}},
      {"primary before the array: dropped", 0, {}, -24, 0, 0, false, 0, {}, {}, {}},
      {"a run past the array: dropped", 1, {{1, 1}}, 0, static_cast<std::ptrdiff_t>(StepBatch::kArrayBytes), 1, false,
       0, {}, {0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StepBatch batch;
    FakeFiller filler;
    filler.primary = c.primary;
    filler.runs = c.runs;
    filler.primaryJump = c.primaryJump;
    filler.secondJump = c.secondJump;
    EXPECT_EQ(batch.fill(filler), c.filled);

    std::vector<unsigned char> out(64 * kItem, 0xEE);
    unsigned char* cursor = out.data();
    EXPECT_EQ(batch.readPrimary(&cursor), c.primaryCount);
    EXPECT_EQ(tags(out, cursor), c.primaryTags);

    std::vector<std::int32_t> counts(static_cast<std::size_t>(c.hostRuns) + 1, kUntouched);
    std::vector<unsigned char> runsOut(64 * kItem, 0xEE);
    cursor = runsOut.data();
    batch.readSegments(c.hostRuns, counts.data(), &cursor);
    EXPECT_EQ(std::vector<std::int32_t>(counts.begin(), counts.end() - 1), c.counts);
    EXPECT_EQ(counts.back(), kUntouched);
    EXPECT_EQ(tags(runsOut, cursor), c.runTags);
  }
}

TEST(StepBatch, ClearEmptiesTheItemsAndSizesTheSegments) {
  StepBatch batch;
  FakeFiller filler;
  filler.primary = 3;
  filler.runs = {{2, 0}};
  ASSERT_TRUE(batch.fill(filler));
  batch.clear(5);
  EXPECT_EQ(batch.segments.size(), 5u);
  EXPECT_EQ(batch.primaryBegin()[0], 0);
  EXPECT_EQ(batch.secondaryBegin()[0], 0);
  std::vector<unsigned char> out(kItem);
  unsigned char* cursor = out.data();
  EXPECT_EQ(batch.readPrimary(&cursor), 0);
  EXPECT_EQ(cursor, out.data());
}

}  // namespace
}  // namespace kvl::host
