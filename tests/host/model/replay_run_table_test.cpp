#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/model/replay_run_table.h"

using namespace kvl::host;

namespace {

struct Control {
  std::uint8_t bytes[kControlRecordSize] = {};
};

Control control(std::uint8_t first, std::uint8_t middle = 0) {
  Control c;
  c.bytes[0] = first;
  c.bytes[4] = middle;
  return c;
}

// Records the records in order, the host counter a multiple of 5 (every byte compared).
ReplayCounters record(ReplayRunTable& table, const std::vector<Control>& frames, std::uint32_t counter = 0) {
  ReplayCounters c;
  std::uint32_t checks = 0;
  for (const Control& f : frames) table.recordFrame(c, f.bytes, counter, [&] { return 0x100 + ++checks; });
  return c;
}

}  // namespace

TEST(ReplayRunTable, SameControlRecord) {
  struct Case {
    int byte;
    std::uint32_t counter;
    bool same;
  } cases[] = {{0, 0, false}, {2, 3, false}, {8, 7, false}, {3, 5, false}, {7, 10, false}, {3, 6, true}, {7, 1, true}};
  for (const auto& c : cases) {
    Control a, b;
    b.bytes[c.byte] = 1;
    EXPECT_EQ(sameControlRecord(a.bytes, b.bytes, c.counter), c.same) << c.byte << " " << c.counter;
  }
}

TEST(ReplayRunTable, RecordsRunsWithTheirCheckBytes) {
  ReplayRunTable table;
  record(table, {control(4), control(4), control(4)});
  ASSERT_EQ(table.runs().size(), 2u);
  EXPECT_EQ(table.runs()[0].frames, 3);
  EXPECT_EQ(table.runs()[1].frames, 0);  // the terminating entry

  ReplayCounters c = record(table = ReplayRunTable(), {control(4), control(4), control(4), control(5)});
  EXPECT_EQ(table.runs()[0].frames, 3);
  EXPECT_EQ(table.runs()[0].check, 0x01);  // low byte of the first checksum
  EXPECT_EQ(table.runs()[1].frames, 1);
  EXPECT_EQ(table.runs()[1].control[0], 5);
  EXPECT_EQ(table.runs()[1].check, 0x02);
  EXPECT_EQ(c.lastRun, 1);
  EXPECT_EQ(c.playRun, 1);
  EXPECT_EQ(c.recordedFrames, 4);
  EXPECT_EQ(c.tickCount, 4u);

  c.mode = 2;  // not recording: nothing changes
  EXPECT_FALSE(table.recordFrame(c, control(5).bytes, 0, [] { return 0u; }));
  EXPECT_EQ(c.recordedFrames, 4);
}

TEST(ReplayRunTable, RunSplitsAt65535Frames) {
  ReplayRunTable table;
  ReplayCounters c;
  const Control same = control(1);
  for (int i = 0; i < 65536; ++i) table.recordFrame(c, same.bytes, 0, [] { return 0u; });
  EXPECT_EQ(c.lastRun, 1);
  EXPECT_EQ(table.runs()[0].frames, 65535);
  EXPECT_EQ(table.runs()[1].frames, 1);
}

TEST(ReplayRunTable, RecordingGrowsAShortTableToWhatItNeeds) {
  ReplayRunTable table;
  ReplayCounters c;
  c.lastRun = 7;  // a host value beyond the table
  table.recordFrame(c, control(1).bytes, 0, [] { return 0u; });
  EXPECT_EQ(table.runs().size(), 9u);
  EXPECT_EQ(table.runs()[7].frames, 1);
  c.lastRun = -4;  // a negative one starts over
  table.restart();
  table.recordFrame(c, control(1).bytes, 0, [] { return 0u; });
  EXPECT_EQ(c.lastRun, 0);
}

TEST(ReplayRunTable, PlaysRunsOfThreeAndOne) {
  ReplayRunTable table;
  ReplayCounters c = record(table, {control(4), control(4), control(4), control(5)});
  c.mode = 2;
  c.playRun = 0;
  c.frameInRun = 1;
  c.tickCount = 1;
  bool frameTwo = false;
  const struct {
    PlayResult result;
    std::int32_t playRun;
    std::uint16_t frameInRun;
    bool frameTwo, finished;
  } steps[] = {{PlayResult::played, 0, 2, true, false},
               {PlayResult::played, 0, 3, false, false},
               {PlayResult::played, 1, 1, false, true},
               {PlayResult::end, 1, 1, false, true}};
  for (const auto& s : steps) {
    EXPECT_EQ(table.playFrame(c, frameTwo), s.result);
    EXPECT_EQ(c.playRun, s.playRun);
    EXPECT_EQ(c.frameInRun, s.frameInRun);
    EXPECT_EQ(frameTwo, s.frameTwo);
    EXPECT_EQ(table.isFinished(c), s.finished);
  }
  c.mode = 0;
  EXPECT_EQ(table.playFrame(c, frameTwo), PlayResult::notPlaying);
  EXPECT_TRUE(table.isFinished(c));
}

TEST(ReplayRunTable, PlayRunOutsideTheTableReadsAsTheEnd) {
  ReplayRunTable table;
  ReplayCounters c = record(table, {control(1)});
  c.mode = 2;
  bool frameTwo = false;
  for (std::int32_t run : {-1, 2, 1 << 30}) {
    c.playRun = run;
    EXPECT_EQ(table.playFrame(c, frameTwo), PlayResult::end) << run;
    EXPECT_TRUE(table.isFinished(c)) << run;
    EXPECT_EQ(table.playRun(c), nullptr) << run;
  }
}

TEST(ReplayRunTable, SaveAndLoadRoundTrip) {
  ReplayRunTable recorded;
  ReplayCounters c = record(recorded, {control(4), control(4), control(4), control(5)});
  std::vector<ReplayRun> buffer(2);
  recorded.saveRuns(c, buffer.data());

  ReplayRunTable loaded;
  ReplayCounters header;
  header.lastRun = c.lastRun;
  header.recordedFrames = c.recordedFrames;
  loaded.loadRuns(header, buffer.data());
  ASSERT_EQ(loaded.runs().size(), 2u);
  EXPECT_EQ(std::memcmp(loaded.runs().data(), recorded.runs().data(), 2 * sizeof(ReplayRun)), 0);
}

TEST(ReplayRunTable, LoadRefusesALastRunTheDataCannotHold) {
  const std::vector<ReplayRun> buffer(4, ReplayRun{1, 0, {}});
  struct Case {
    std::int32_t lastRun, recordedFrames;
    std::size_t runs;
  } cases[] = {{3, 4, 4}, {-1, 4, 0}, {4, 4, 0}, {0x7FFFFFFF, 0x7FFFFFFF, 0}, {ReplayRunTable::kMaxRuns, 1 << 30, 0}};
  for (const auto& k : cases) {
    ReplayRunTable table;
    table.runs().resize(3);
    ReplayCounters c;
    c.lastRun = k.lastRun;
    c.recordedFrames = k.recordedFrames;
    table.loadRuns(c, buffer.data());
    EXPECT_EQ(table.runs().size(), k.runs) << k.lastRun;
    if (k.runs == 0) EXPECT_EQ(c.lastRun, 0);
  }
}

TEST(ReplayRunTable, SaveZeroesWhatTheTableDoesNotHold) {
  ReplayRunTable table;
  ReplayCounters c = record(table, {control(1)});  // runs: [1 frame], [terminator]
  c.lastRun = 3;
  std::vector<unsigned char> out(4 * sizeof(ReplayRun), 0xAA);
  table.saveRuns(c, out.data());
  EXPECT_EQ(out[0], 1);
  for (std::size_t i = 2 * sizeof(ReplayRun); i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i;

  c.lastRun = -1;
  std::vector<unsigned char> untouched(12, 0xAA);
  table.saveRuns(c, untouched.data());
  EXPECT_EQ(untouched[0], 0xAA);
}
