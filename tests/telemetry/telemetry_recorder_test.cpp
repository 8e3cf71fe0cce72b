// The recorder client against the real recorder daemon, over host records laid out in a host
// stand-in module: which frames give rows, saves, a daemon that is gone, and the client's end.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/daemon/daemon_launcher.h"
#include "plugin/telemetry/telemetry_recorder.h"
#include "tests/daemons/channel_client/channel_client_runner.h"
#include "tests/support/host_fixture.h"
#include "tests/support/scratch_folder.h"

using kvl::JobState;
using kvl::SaveJob;
using kvl::testing::readWholeFile;
using kvl::testing::splitLines;
using kvl::testing::writeWholeFile;

namespace {

// Host records the client reads (sizes of the host's records), behind the host's globals.
struct HostRecords {
  kvl::testing::HostFixture host;
  std::vector<unsigned char> car = std::vector<unsigned char>(7520);
  std::vector<unsigned char> replay = std::vector<unsigned char>(1620480);
  std::vector<unsigned char> race = std::vector<unsigned char>(2000);
  std::vector<unsigned char> game = std::vector<unsigned char>(3312);

  HostRecords() {
    host.setGlobal(0x893634, replay.data());
    host.setGlobal(0x165FC68, race.data());
    host.setGlobal(0x7EAC48, game.data());
    setCar(false);
  }
  ~HostRecords() {
    for (std::uint32_t global : {0x893634u, 0x165FC68u, 0x7EAC48u, 0x8EF660u}) host.setGlobal(global, nullptr);
  }
  void setCar(bool present) { host.setGlobal(0x8EF660, present ? car.data() : nullptr); }
  template <typename T>
  void put(std::vector<unsigned char>& record, std::size_t offset, T value) {
    std::memcpy(record.data() + offset, &value, sizeof value);
  }
};

class Client : public kvl::TelemetryRecorder {
 public:
  Client() : TelemetryRecorder(kvl::testing::buildTreePath("daemons/recorder/QzrTelemetryDaemon.exe")) {
    startDaemon();
    setRecordSet("QZR");
  }
  using TelemetryRecorder::launcher;

  // What stop() waited for, on a clock that only its own pauses advance.
  DWORD pausedMs = 0;
  std::vector<DWORD> daemonWaits;  // each wait's result

 protected:
  DWORD shutdownClock() const override { return pausedMs; }
  void shutdownPause(DWORD ms) override {
    Sleep(ms);  // the daemon goes on writing meanwhile
    pausedMs += ms;
  }
  DWORD waitForDaemonExit(HANDLE process, DWORD ms) override {
    daemonWaits.push_back(WaitForSingleObject(process, ms));
    return daemonWaits.back();
  }
};

class RecorderClient : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(records.host.loaded());
    CreateDirectoryA("Plugins", nullptr);
    CreateDirectoryA("Plugins\\QZR", nullptr);
    writeWholeFile("Plugins\\QZR\\telemetry.ini", "[QZR]\r\ngear=1\r\nposition=1\r\n");
    setTics(1);
  }
  void setTics(int tics) { writeWholeFile("Korvala.ini", "[QZR]\r\ntelemetryTics=" + std::to_string(tics) + "\r\n"); }
  // One frame event with the host's counter at `tick`.
  void frame(Client& client, std::uint32_t tick) {
    records.put(records.replay, 1620076, tick);
    client.onFrame(nullptr);
  }
  // Saves and waits for the daemon to have written the file; its lines.
  std::vector<std::string> saved(Client& client) {
    std::shared_ptr<SaveJob> job = client.saveRecording();
    if (job == nullptr) return {"no job"};
    for (int i = 0; i < 1200 && (job->state() == JobState::New || job->state() == JobState::Running); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (job->state() != JobState::Finished) return {"job state " + std::to_string(static_cast<int>(job->state()))};
    return splitLines(readWholeFile(job->fileName()));
  }

  kvl::testing::ScratchFolder folder;
  HostRecords records;
};

// A counter that stands still at a multiple of the tics gives a row on every frame.
TEST_F(RecorderClient, ACounterStandingStillGivesARowEachFrame) {
  Client client;
  setTics(5);
  records.put(records.race, 368, std::int32_t{3});
  records.setCar(true);
  client.setActive(true);
  for (std::uint32_t tick : {10u, 10u, 10u, 11u, 15u}) frame(client, tick);
  client.setActive(false);
  const std::vector<std::string> lines = saved(client);
  ASSERT_EQ(lines.size(), 5u) << lines.at(0);
  EXPECT_EQ(lines[0], "gear\tposition.x\tposition.y\tposition.z\t");
  records.setCar(false);
  client.stop();
}

// Recording that began before a car existed gives the car's rows once there is one.
TEST_F(RecorderClient, RowsComeFromTheCarThatAppeared) {
  Client client;
  client.setActive(true);
  frame(client, 1);  // no car: no row
  records.put(records.car, 320, 1.5f);
  records.put(records.car, 328, -2.0f);
  records.setCar(true);
  frame(client, 2);
  client.setActive(false);
  const std::vector<std::string> lines = saved(client);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "0\t1.50000\t0.00000\t-2.00000\t");
  client.stop();
}

TEST_F(RecorderClient, TwoSavesInOneSecondWriteTwoFiles) {
  Client client;
  records.setCar(true);
  std::vector<std::string> names;
  for (std::int32_t gear : {1, 2}) {
    records.put(records.race, 368, gear);
    client.setActive(true);
    frame(client, 1);
    client.setActive(false);
    names.push_back(client.saveRecording()->fileName());
  }
  client.stop();
  WaitForSingleObject(client.launcher()->process(), 60000);  // the daemon writes what is left
  ASSERT_NE(names[0], names[1]);
  EXPECT_EQ(splitLines(readWholeFile(names[0])).at(1).substr(0, 2), "1\t");
  EXPECT_EQ(splitLines(readWholeFile(names[1])).at(1).substr(0, 2), "2\t");
  records.setCar(false);
}

TEST_F(RecorderClient, DaemonGone) {
  Client client;
  records.setCar(true);
  client.setActive(true);
  frame(client, 1);
  TerminateProcess(client.launcher()->process(), 9);
  ASSERT_EQ(WaitForSingleObject(client.launcher()->process(), INFINITE), WAIT_OBJECT_0);
  frame(client, 2);
  client.setActive(false);
  // The rows were the daemon's: the save fails at once and says so.
  std::shared_ptr<SaveJob> job = client.saveRecording();
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->state(), JobState::Failed);
  EXPECT_EQ(client.unfinishedSaves(), 0u);
  // Nothing is left to wait for: no pause for saves, and the daemon had ended before its wait.
  client.stop();
  EXPECT_EQ(client.pausedMs, 0u);
  EXPECT_EQ(client.daemonWaits, std::vector<DWORD>{WAIT_OBJECT_0});
  records.setCar(false);
}

// The game shuts down right after a save was asked for: the client waits while it progresses,
// at most its limit, and the daemon writes the whole file before it leaves.
TEST_F(RecorderClient, ShutdownRightAfterASaveKeepsTheWholeFile) {
  Client client;
  records.setCar(true);
  client.setActive(true);
  constexpr std::uint32_t kRows = 3000;
  for (std::uint32_t tick = 1; tick <= kRows; ++tick) {
    records.put(records.race, 368, static_cast<std::int32_t>(tick));
    frame(client, tick);
  }
  client.setActive(false);
  std::shared_ptr<SaveJob> job = client.saveRecording();
  ASSERT_NE(job, nullptr);
  client.stop();
  EXPECT_LE(client.pausedMs, Client::kSaveWaitLimitMs);
  EXPECT_EQ(WaitForSingleObject(client.launcher()->process(), INFINITE), WAIT_OBJECT_0);
  const std::vector<std::string> lines = splitLines(readWholeFile(job->fileName()));
  ASSERT_EQ(lines.size(), kRows + 1);
  EXPECT_EQ(lines.back().substr(0, 5), "3000\t");
  records.setCar(false);
}

}  // namespace
