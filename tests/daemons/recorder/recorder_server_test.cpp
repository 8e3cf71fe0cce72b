#include <gtest/gtest.h>

#include <boost/asio/post.hpp>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "common/telemetry/telemetry_channel_table.h"
#include "daemons/recorder/recorder_server.h"
#include "tests/support/file_text.h"

namespace {

using kvl::testing::readWholeFile;

using kvl::JobState;
using kvl::RecorderCommand;
using kvl::RecorderCommandRecord;
using kvl::RecorderServer;


struct Reply {
  int32_t found;
  int64_t bytes;
  int32_t progress;
  int32_t state;
  bool goOn;
};

class RecorderServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream ini(iniPath, std::ios::binary);
    ini << "[Twenty]\nspeed=1\nLF.wear[7]=1\nposition=1\n"
           "[Four]\ngear=1\n"
           "[Time]\nutcSystemTime=1\nspeed=1\n";
  }

  Reply send(RecorderCommand command, const std::string& text = "") {
    record->setCommand(command);
    if (!text.empty()) record->setPayloadText(text);
    return reply();
  }
  Reply sendRow(const void* row, size_t size) {
    record->setCommand(RecorderCommand::AddData);
    std::memcpy(record->payload, row, size);
    return reply();
  }
  Reply reply() {
    const bool goOn = server.handleCommand(*record);
    return {record->found, record->bufferedBytes, record->progress, record->jobState, goOn};
  }
  // Polls with Save until the job has ended. The worker's first job waits for its thread's COM
  // start, which takes seconds on a slow machine: the bound is generous.
  Reply waitForJob(const std::string& name) {
    Reply r{};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    do {
      r = send(RecorderCommand::Save, name);
      if (r.state != static_cast<int32_t>(JobState::New) && r.state != static_cast<int32_t>(JobState::Running)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return r;
  }
  std::string output(const char* name) {
    std::string p = "recorder_server_test_" + testName + "_" + name + ".tsv";
    std::remove(p.c_str());
    return p;
  }

  // Each test has its own files: CTest runs the tests of this program side by side.
  const std::string testName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string iniPath = "recorder_server_test_" + testName + ".ini";
  std::shared_ptr<RecorderCommandRecord> record = kvl::makeCommandRecord();
  RecorderServer server;
};

constexpr int64_t kTwentyChunk = 838860ll * 20;
constexpr int64_t kFourChunk = 4194304ll * 4;

TEST_F(RecorderServerTest, RepliesCarryOnlyWhatTheCommandReports) {
  // A reply area full of an earlier reply is cleared before every command.
  struct Case {
    int32_t code;
    std::string text;
    Reply expected;
  };
  const Case cases[] = {
      {0, "", {0, 0, 0, 0, true}},
      {9, "", {0, 0, 0, 0, true}},
      {-1, "", {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::AddData), "", {0, 0, 0, 0, true}},  // before any Start
      {static_cast<int32_t>(RecorderCommand::Stop), "", {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::Clear), "", {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::Cancel), "unknown.tsv", {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::SetRecordSet), "Twenty", {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::Start), iniPath, {0, 0, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::AddData), "", {0, kTwentyChunk, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::None), "", {0, kTwentyChunk, 0, 0, true}},
      {static_cast<int32_t>(RecorderCommand::Shutdown), "", {0, kTwentyChunk, 0, 0, false}},
  };
  for (const Case& c : cases) {
    record->found = 1;
    record->progress = 55;
    record->jobState = 4;
    record->setCommand(c.code);
    if (!c.text.empty()) record->setPayloadText(c.text);
    Reply r = reply();
    EXPECT_EQ(r.found, c.expected.found) << c.code;
    EXPECT_EQ(r.bytes, c.expected.bytes) << c.code;
    EXPECT_EQ(r.progress, c.expected.progress) << c.code;
    EXPECT_EQ(r.state, c.expected.state) << c.code;
    EXPECT_EQ(r.goOn, c.expected.goOn) << c.code;
  }
}

TEST_F(RecorderServerTest, SaveWritesOnceAndReportsTheSameJob) {
  send(RecorderCommand::SetRecordSet, "Four");
  send(RecorderCommand::Start, iniPath);
  for (int32_t gear : {1, 2, 3}) EXPECT_EQ(sendRow(&gear, 4).bytes, kFourChunk);
  send(RecorderCommand::Stop);
  const std::string file = output("twice");
  Reply first = send(RecorderCommand::Save, file);
  EXPECT_EQ(first.found, 1);
  EXPECT_EQ(first.bytes, 0) << "the rows went to the job";
  // A job of three rows may already have ended by the time the reply is made.
  EXPECT_TRUE(first.state == static_cast<int32_t>(JobState::New) ||
              first.state == static_cast<int32_t>(JobState::Running) ||
              first.state == static_cast<int32_t>(JobState::Finished))
      << first.state;
  Reply done = waitForJob(file);
  EXPECT_EQ(done.state, static_cast<int32_t>(JobState::Finished));
  EXPECT_EQ(done.progress, 100);
  EXPECT_EQ(readWholeFile(file), "gear\t\r\n1\t\r\n2\t\r\n3\t\r\n");

  // A Save of the same name reports the job again and writes nothing.
  std::remove(file.c_str());
  Reply again = send(RecorderCommand::Save, file);
  EXPECT_EQ(again.found, 1);
  EXPECT_EQ(again.state, static_cast<int32_t>(JobState::Finished));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(std::ifstream(file).good());

  // Cancelling a finished job changes nothing.
  Reply cancel = send(RecorderCommand::Cancel, file);
  EXPECT_EQ(cancel.found, 1);
  EXPECT_EQ(cancel.state, 0);
  EXPECT_EQ(send(RecorderCommand::Save, file).state, static_cast<int32_t>(JobState::Finished));
}

TEST_F(RecorderServerTest, SaveWithoutStartFails) {
  const std::string file = output("nostart");
  send(RecorderCommand::Save, file);
  EXPECT_EQ(waitForJob(file).state, static_cast<int32_t>(JobState::Failed));
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST_F(RecorderServerTest, StartTwiceAppendsAndAnotherRowSizeDiscards) {
  send(RecorderCommand::SetRecordSet, "Four");
  send(RecorderCommand::Start, iniPath);
  int32_t gear = 1;
  sendRow(&gear, 4);
  send(RecorderCommand::Stop);
  send(RecorderCommand::Start, iniPath);
  gear = 2;
  sendRow(&gear, 4);
  ASSERT_TRUE(server.rowBuffer());
  EXPECT_EQ(server.rowBuffer()->rowCount(), 2u) << "same row size: the rows follow the old ones";

  send(RecorderCommand::Clear);  // while recording: nothing happens
  EXPECT_EQ(server.rowBuffer()->rowCount(), 2u);

  send(RecorderCommand::Stop);
  send(RecorderCommand::SetRecordSet, "Twenty");  // a new name clears while stopped
  EXPECT_FALSE(server.rowBuffer());
  send(RecorderCommand::Start, iniPath);
  EXPECT_EQ(server.rowBuffer()->rowSize(), 20u);
  EXPECT_EQ(server.rowBuffer()->rowCount(), 0u);

  send(RecorderCommand::Stop);
  EXPECT_EQ(send(RecorderCommand::Clear).bytes, 0);
  EXPECT_FALSE(server.rowBuffer());
  EXPECT_TRUE(server.activeChannels().empty());
}

TEST_F(RecorderServerTest, EachJobWritesTheChannelsOfItsSave) {
  // Hold the worker so that the job waits while the server's list is rebuilt.
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  boost::asio::post(server.ioContext(), [gate] { gate.wait(); });

  send(RecorderCommand::SetRecordSet, "Four");
  send(RecorderCommand::Start, iniPath);
  int32_t gear = 5;
  sendRow(&gear, 4);
  send(RecorderCommand::Stop);
  const std::string file = output("ownlist");
  EXPECT_EQ(send(RecorderCommand::Save, file).state, static_cast<int32_t>(JobState::New));
  send(RecorderCommand::SetRecordSet, "Time");
  send(RecorderCommand::Start, iniPath);
  send(RecorderCommand::Stop);
  send(RecorderCommand::Clear);
  release.set_value();
  EXPECT_EQ(waitForJob(file).state, static_cast<int32_t>(JobState::Finished));
  EXPECT_EQ(readWholeFile(file), "gear\t\r\n5\t\r\n");
}

TEST_F(RecorderServerTest, CancelWhileQueuedAndStopLeavesNoJobNew) {
  std::promise<void> release;
  std::shared_future<void> gate = release.get_future().share();
  boost::asio::post(server.ioContext(), [gate] { gate.wait(); });

  auto startAndSave = [&](const std::string& file) {
    send(RecorderCommand::SetRecordSet, "Four");
    send(RecorderCommand::Start, iniPath);
    for (int32_t i = 0; i < 1000; ++i) sendRow(&i, 4);
    send(RecorderCommand::Stop);
    return send(RecorderCommand::Save, file);
  };
  const std::string canceled = output("queued_canceled");
  const std::string a = output("queued_a");
  const std::string b = output("queued_b");
  startAndSave(canceled);
  EXPECT_EQ(send(RecorderCommand::Cancel, canceled).found, 1);
  EXPECT_EQ(send(RecorderCommand::Save, canceled).state, static_cast<int32_t>(JobState::Canceled));
  startAndSave(a);
  startAndSave(b);

  // Shutdown: the loop stops the server while two jobs are still queued.
  std::thread releaser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    release.set_value();
  });
  server.stop();
  releaser.join();
  for (const std::string& file : {a, b}) {
    const int32_t state = send(RecorderCommand::Save, file).state;
    EXPECT_TRUE(state == static_cast<int32_t>(JobState::Canceled) || state == static_cast<int32_t>(JobState::Finished))
        << file << " ended " << kvl::jobStateWord(state);
  }
  EXPECT_FALSE(std::ifstream(canceled).good()) << "a job cancelled in the queue writes nothing";
}

TEST(RecorderServer, RefusedRowsKeepTheReplyGoing) {
  RecorderServer server(16777200);  // one chunk of 20-byte rows
  auto record = kvl::makeCommandRecord();
  {
    std::ofstream ini("recorder_server_cap.ini", std::ios::binary);
    ini << "[Twenty]\nspeed=1\nLF.wear[7]=1\nposition=1\n";
  }
  record->setCommand(RecorderCommand::SetRecordSet);
  record->setPayloadText("Twenty");
  server.handleCommand(*record);
  record->setCommand(RecorderCommand::Start);
  record->setPayloadText("recorder_server_cap.ini");
  server.handleCommand(*record);
  record->setCommand(RecorderCommand::AddData);
  for (int i = 0; i < 838860 + 5; ++i) ASSERT_TRUE(server.handleCommand(*record));
  EXPECT_EQ(record->bufferedBytes, 16777200);
  EXPECT_EQ(server.rowBuffer()->rowCount(), 838860u);
  EXPECT_EQ(server.rowBuffer()->refusedRows(), 5u);
}

TEST(RecorderServer, RowAfterAFullChunkOpensTheNext) {
  // Every channel: 764-byte rows, 21959 to a chunk.
  std::string ini = "[All]\n";
  kvl::TelemetryChannelTable table;
  table.build({});
  for (const std::string& name : table.registrationOrder()) ini += name + "=1\n";
  std::ofstream("recorder_server_all.ini", std::ios::binary) << ini;
  RecorderServer server;
  auto record = kvl::makeCommandRecord();
  record->setCommand(RecorderCommand::SetRecordSet);
  record->setPayloadText("All");
  server.handleCommand(*record);
  record->setCommand(RecorderCommand::Start);
  record->setPayloadText("recorder_server_all.ini");
  server.handleCommand(*record);
  record->setCommand(RecorderCommand::AddData);
  for (int i = 0; i < 21959; ++i) server.handleCommand(*record);
  EXPECT_EQ(record->bufferedBytes, 16776676);
  server.handleCommand(*record);
  EXPECT_EQ(record->bufferedBytes, 33553352);
}

}  // namespace
