#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "common/telemetry/stop_event.h"
#include "common/telemetry/telemetry_channel_table.h"
#include "daemons/recorder/save_job.h"
#include "tests/support/file_text.h"

namespace {

using kvl::testing::readWholeFile;

using kvl::ChannelList;
using kvl::JobState;
using kvl::RowBuffer;
using kvl::SaveJob;


bool exists(const std::string& path) { return static_cast<bool>(std::ifstream(path)); }

// A 4-byte column that calls back for every row it prints, so a test can watch the job.
class ProbeChannel : public kvl::TelemetryChannel {
 public:
  explicit ProbeChannel(std::function<void(uint32_t)> onRow) : TelemetryChannel("probe", nullptr), onRow_(std::move(onRow)) {}
  void writeHeader(std::ostream& out, char separator) const override { out << name_ << separator; }
  size_t size() const override { return 4; }
  char* printValue(const unsigned char* in, char* out, char separator) const override {
    uint32_t v;
    std::memcpy(&v, in, 4);
    onRow_(v);
    const std::string text = std::to_string(v) + separator;
    return std::copy(text.begin(), text.end(), out);
  }
  size_t maxTextSize() const override { return 11; }

 private:
  std::function<void(uint32_t)> onRow_;
};

std::shared_ptr<RowBuffer> numberedRows(uint32_t count) {
  auto rows = std::make_shared<RowBuffer>(4);
  for (uint32_t i = 0; i < count; ++i) rows->append(reinterpret_cast<const unsigned char*>(&i));
  return rows;
}

class SaveJobTest : public ::testing::Test {
 protected:
  std::string path(const char* name) {
    std::string p = std::string("save_job_test_") + name + ".tsv";
    std::remove(p.c_str());
    return p;
  }
  kvl::StopEvent stop;
};

TEST_F(SaveJobTest, ByteExactFile) {
  kvl::TelemetryChannelTable table;
  table.build(kvl::HostObjects{});
  table.select({"utcSystemTime", "speed", "gear", "position", "totalSteps"});
  ASSERT_EQ(table.rowSize(), 32u);
  auto rows = std::make_shared<RowBuffer>(32);
  struct Row {
    uint64_t time;
    float speed;
    int32_t gear;
    float position[3];
    uint32_t steps;
  };
  static_assert(sizeof(Row) == 32, "packed like the table");
  const Row data[] = {
      {133000000000000000ull, 0.0f, 0, {1.5f, -2.0f, 0.001f}, 0},
      {133000000001234567ull, 1234567.0f, -1, {0.0f, 100.0f, 1e-7f}, 4294967295u},
  };
  for (const Row& r : data) rows->append(reinterpret_cast<const unsigned char*>(&r));

  const std::string file = path("exact");
  SaveJob job(file);
  kvl::writeSaveJob(job, rows, table.active(), stop);
  EXPECT_EQ(job.state(), JobState::Finished);
  EXPECT_EQ(job.progress(), 100);
  EXPECT_EQ(readWholeFile(file),
            "utcSystemTime\tspeed\tgear\tposition.x\tposition.y\tposition.z\ttotalSteps\t\r\n"
            "2022-06-18 04:26:40.000000\t0.00000\t0\t1.50000\t-2.00000\t0.00100000\t0\t\r\n"
            "2022-06-18 04:26:40.123456\t1.23457e+06\t-1\t0.00000\t100.000\t1.00000e-07\t4294967295\t\r\n");
}

TEST_F(SaveJobTest, EndStates) {
  struct Case {
    const char* name;
    bool withRows;
    uint32_t rowCount;
    bool folderMissing;
    JobState state;
    int progress;
    bool fileExists;
    const char* contents;
  };
  const Case cases[] = {
      {"norows", false, 0, false, JobState::Failed, 0, false, nullptr},
      {"empty", true, 0, false, JobState::Finished, 100, true, "probe\t\r\n"},
      {"three", true, 3, false, JobState::Finished, 100, true, "probe\t\r\n0\t\r\n1\t\r\n2\t\r\n"},
      {"missingfolder", true, 3, true, JobState::Failed, 0, false, nullptr},
  };
  ChannelList channels{std::make_shared<ProbeChannel>([](uint32_t) {})};
  for (const Case& c : cases) {
    std::string file = c.folderMissing ? std::string("no-such-folder/x.tsv") : path(c.name);
    SaveJob job(file);
    kvl::writeSaveJob(job, c.withRows ? numberedRows(c.rowCount) : nullptr, channels, stop);
    EXPECT_EQ(job.state(), c.state) << c.name;
    EXPECT_EQ(job.progress(), c.progress) << c.name;
    EXPECT_EQ(exists(file), c.fileExists) << c.name;
    if (c.contents) {
      EXPECT_EQ(readWholeFile(file), c.contents) << c.name;
    }
  }
}

TEST_F(SaveJobTest, ProgressSteps) {
  struct Case {
    uint32_t rows;
    std::vector<std::pair<uint32_t, int>> seen;  // progress seen while printing row n
  };
  const Case cases[] = {
      // Step 100: 0 after row 0, 40 after row 100, 80 after row 200.
      {250, {{1, 0}, {100, 0}, {101, 40}, {200, 40}, {201, 80}, {249, 80}}},
      // Step 10000: one percent every 10000 rows.
      {1000000, {{1, 0}, {10000, 0}, {10001, 1}, {20001, 2}, {990001, 99}, {999999, 99}}},
      // Fewer than 100 rows: only row 0 reports.
      {50, {{1, 0}, {49, 0}}},
  };
  for (const Case& c : cases) {
    SaveJob* watched = nullptr;
    std::vector<int> progressAt(c.rows, -1);
    ChannelList channels{std::make_shared<ProbeChannel>([&](uint32_t row) { progressAt[row] = watched->progress(); })};
    SaveJob job(path("progress"));
    watched = &job;
    kvl::writeSaveJob(job, numberedRows(c.rows), channels, stop);
    EXPECT_EQ(job.state(), JobState::Finished);
    EXPECT_EQ(job.progress(), 100);
    for (const auto& [row, progress] : c.seen) EXPECT_EQ(progressAt[row], progress) << c.rows << " row " << row;
  }
}

TEST_F(SaveJobTest, CancelStopsAfterTheCurrentRow) {
  SaveJob* watched = nullptr;
  ChannelList channels{std::make_shared<ProbeChannel>([&](uint32_t row) {
    if (row == 10) watched->cancel();
  })};
  const std::string file = path("cancel");
  SaveJob job(file);
  watched = &job;
  kvl::writeSaveJob(job, numberedRows(1000), channels, stop);
  EXPECT_EQ(job.state(), JobState::Canceled);
  EXPECT_LT(job.progress(), 100);
  std::string expected = "probe\t\r\n";
  for (int i = 0; i <= 10; ++i) expected += std::to_string(i) + "\t\r\n";
  EXPECT_EQ(readWholeFile(file), expected) << "the rows written so far stay";
}

TEST_F(SaveJobTest, StopEventCancels) {
  stop.set();
  const std::string file = path("stopped");
  SaveJob job(file);
  kvl::writeSaveJob(job, numberedRows(100000), ChannelList{std::make_shared<ProbeChannel>([](uint32_t) {})}, stop);
  EXPECT_EQ(job.state(), JobState::Canceled);
  EXPECT_LT(job.progress(), 100);
  EXPECT_LT(readWholeFile(file).size(), 100000u);
}

TEST_F(SaveJobTest, RowsRefusedByTheBufferMakeTheJobFail) {
  auto rows = std::make_shared<RowBuffer>(4096, 4096ull * 4096);  // room for one chunk
  std::vector<unsigned char> row(4096, 0);
  for (int i = 0; i < 4097; ++i) rows->append(row.data());
  ASSERT_EQ(rows->refusedRows(), 1u);
  const std::string file = path("refused");
  SaveJob job(file);
  int printed = 0;
  kvl::writeSaveJob(job, rows, ChannelList{std::make_shared<ProbeChannel>([&](uint32_t) { ++printed; })}, stop);
  EXPECT_EQ(job.state(), JobState::Failed);
  EXPECT_LT(job.progress(), 100);
  EXPECT_EQ(printed, 4096) << "what was kept is still written";
}

TEST(SaveJob, CancelOnlyFromNewOrRunning) {
  struct Case {
    JobState from;
    bool changes;
  };
  const Case cases[] = {{JobState::New, true},       {JobState::Running, true}, {JobState::Finished, false},
                        {JobState::Failed, false},   {JobState::Canceled, false}};
  for (const Case& c : cases) {
    SaveJob job("x");
    job.setState(c.from);
    EXPECT_EQ(job.cancel(), c.changes);
    EXPECT_EQ(job.state(), c.changes ? JobState::Canceled : c.from);
  }
}

TEST(SaveJob, QueuedJobCanceledBeforeItStartsWritesNothing) {
  kvl::StopEvent stop;
  SaveJob job("save_job_test_never.tsv");
  std::remove(job.name().c_str());
  job.cancel();
  kvl::writeSaveJob(job, numberedRows(10), ChannelList{}, stop);
  EXPECT_EQ(job.state(), JobState::Canceled);
  EXPECT_FALSE(exists(job.name()));
}

}  // namespace
