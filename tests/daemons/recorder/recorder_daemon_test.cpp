// The recorder daemon as a black box: started by the channel client exactly as the plugin
// starts it, driven by scripts of commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/daemons/channel_client/channel_client_runner.h"

namespace {

using kvl::testing::buildTreePath;
using kvl::testing::makeScratchFolder;
using kvl::testing::readWholeFile;
using kvl::testing::splitLines;
using kvl::testing::writeWholeFile;

std::string daemonPath() { return buildTreePath("daemons/recorder/QzrTelemetryDaemon.exe"); }

const char* kIni =
    "[Twenty]\nspeed=1\nLF.wear[7]=1\nposition=1\n"
    "[Hundred]\n"
    "LF.deflection=1\nLF.deflectionVelocity=1\nLF.innerBumpDeflectionVelocity=1\nLF.outerBumpDeflectionVelocity=1\n"
    "LF.temperature=1\nLF.pressure=1\nLF.segmentData[0].temperature=1\nLF.segmentData[1].temperature=1\n"
    "LF.segmentData[2].temperature=1\nLF.segmentData[3].temperature=1\nLF.segmentData[4].temperature=1\n"
    "LF.segmentData[5].temperature=1\nLF.segmentData[6].temperature=1\nLF.segmentData[7].temperature=1\n"
    "LF.treadTemperature=1\nLF.tyreTemperature=1\nLF.rollbarForce=1\nLF.springForce=1\nLF.dampingForce=1\n"
    "LF.strutForce=1\nLF.wear[0]=1\nLF.wear[1]=1\nLF.wear[2]=1\nLF.wear[3]=1\nLF.wear[4]=1\n"
    "[Exact]\nutcSystemTime=true\nspeed=1\ngear=1\nnotAChannel=1\nposition=true\ntotalSteps=1\nLF.brakeWear=1\n"
    "clutch=false\n"
    "[Gear]\ngear=1\n";

// Every channel name, in table order.
std::string allChannelsSection() {
  std::string s = "[All]\n";
  for (const char* n :
       {"utcSystemTime", "totalSteps", "progress", "raceTime", "speed", "engineRotation", "gear",
        "driveLineLocation", "travelDistance", "distanceToEnd", "stage", "car", "steering", "throttle", "brake",
        "handbrake", "clutch", "footbrakePressure", "handbrakePressure", "radiatorCoolantHeatState.temperature",
        "engineCoolantHeatState.temperature", "engineTemperature", "position", "vecRelativeLinearVelocity",
        "vecRelativeAngularVelocity", "vecRelativeLinearAcceleration", "vecRelativeAngularAcceleration",
        "vecLinearVelocityCar", "vecAngularVelocityCar", "vecLinearAccelerationCar", "vecAngularAccelerationCar",
        "vecAvgLinearAccelerationCar", "vecAvgAngularAccelerationCar", "roll", "pitch", "yaw"}) {
    s += std::string(n) + "=1\n";
  }
  const char* wheelFields[] = {"brakeDiskLayerTemp", "brakeDiskTemp", "brakeWear", "deflection",
                               "deflectionVelocity", "innerBumpDeflectionVelocity", "outerBumpDeflectionVelocity",
                               "temperature", "pressure"};
  const char* laterFields[] = {"treadTemperature", "tyreTemperature", "currentTyreSegment", "rollbarForce",
                               "springForce", "dampingForce", "strutForce", "helperSpringActive"};
  for (const char* prefix : {"LF", "RF", "LB", "RB"}) {
    for (const char* f : wheelFields) s += std::string(prefix) + "." + f + "=1\n";
    for (int i = 0; i < 8; ++i) s += std::string(prefix) + ".segmentData[" + std::to_string(i) + "].temperature=1\n";
    for (const char* f : laterFields) s += std::string(prefix) + "." + f + "=1\n";
    for (int i = 0; i < 8; ++i) s += std::string(prefix) + ".wear[" + std::to_string(i) + "]=1\n";
  }
  return s;
}

class RecorderDaemon : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = makeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    writeWholeFile(folder + "\\telemetry.ini", std::string(kIni) + allChannelsSection());
  }
  void TearDown() override { kvl::testing::removeScratchFolder(folder); }

  // Runs the script (after a launch line) in the scratch folder; returns the client's lines.
  std::vector<std::string> run(const std::string& script, DWORD timeoutMs = 120000) {
    auto result = kvl::testing::runChannelClient("launch 65568 " + daemonPath() + "\n" + script, timeoutMs, folder);
    EXPECT_TRUE(result.finished) << result.output;
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    auto lines = splitLines(result.output);
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
      EXPECT_EQ(lines[0], "launched");
      lines.erase(lines.begin());
    }
    return lines;
  }

  std::string file(const std::string& name) { return readWholeFile(folder + "\\" + name); }
  bool exists(const std::string& name) {
    return GetFileAttributesA((folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::string folder;
};

// A Save repeated until the job has ended, as the plugin polls it: one reply line.
std::string pollSave(const std::string& name) { return "ended " + name + "\n"; }

TEST_F(RecorderDaemon, EveryCommandAndItsReply) {
  auto lines = run(
      "rec None\n"
      "rec 9\n"
      "rec -4\n"
      "rec AddData\n"
      "rec Stop\n"
      "rec Clear\n"
      "rec Cancel nothing.tsv\n"
      "rec SetRecordSet Twenty\n"
      "rec Start telemetry.ini\n"
      "zero\n"
      "rec AddData\n"
      "rec None\n"
      "rec Stop\n"
      "rec AddData\n"
      "rec Save out.tsv\n"
      "rec None\n" +
      pollSave("out.tsv") +
      "rec Cancel out.tsv\n"
      "rec Save out.tsv\n"
      "rec Shutdown\n"
      "wait\n");
  const std::vector<std::string> expected = {
      "None replied found=0 bytes=0 progress=0 state=None",
      "Unknown replied found=0 bytes=0 progress=0 state=None",
      "Unknown replied found=0 bytes=0 progress=0 state=None",
      "AddData replied found=0 bytes=0 progress=0 state=None",
      "Stop replied found=0 bytes=0 progress=0 state=None",
      "Clear replied found=0 bytes=0 progress=0 state=None",
      "Cancel replied found=0 bytes=0 progress=0 state=None",
      "SetRecordSet replied found=0 bytes=0 progress=0 state=None",
      "Start replied found=0 bytes=0 progress=0 state=None",
      "AddData replied found=0 bytes=16777200 progress=0 state=None",
      "None replied found=0 bytes=16777200 progress=0 state=None",
      "Stop replied found=0 bytes=16777200 progress=0 state=None",
      "AddData replied found=0 bytes=16777200 progress=0 state=None",
      "",  // the first Save: New or Running or already Finished
      "None replied found=0 bytes=0 progress=0 state=None",
      "Save replied found=1 bytes=0 progress=100 state=Finished",
      "Cancel replied found=1 bytes=0 progress=0 state=None",
      "Save replied found=1 bytes=0 progress=100 state=Finished",
      "Shutdown replied found=0 bytes=0 progress=0 state=None",
      "wait exit 0",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (expected[i].empty()) {
      EXPECT_EQ(lines[i].rfind("Save replied found=1 bytes=0 ", 0), 0u) << lines[i];
    } else {
      EXPECT_EQ(lines[i], expected[i]) << i;
    }
  }
  EXPECT_EQ(file("out.tsv"),
            "speed\tLF.wear[7]\tposition.x\tposition.y\tposition.z\t\r\n"
            "0.00000\t0.00000\t0.00000\t0.00000\t0.00000\t\r\n"
            "0.00000\t0.00000\t0.00000\t0.00000\t0.00000\t\r\n");
}

TEST_F(RecorderDaemon, PaddingIsNeverTransferred) {
  // Bytes 65540 to 65543 (after the payload) and 65548 to 65551 (in the reply): the first stay
  // as the client left them; the second come back zeroed with every reply.
  auto lines = run(
      "fill 65540 4 170\nfill 65548 4 187\nrec None\nprint hex 65540 4\nprint hex 65548 4\n"
      "rec Shutdown\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "hex@65540 aaaaaaaa");
  EXPECT_EQ(lines[2], "hex@65548 00000000");
}

TEST_F(RecorderDaemon, BufferedBytesPerRowSize) {
  // The first row allocates one chunk of whole rows; the crossing into a second chunk is
  // counted by the server's own test, without tens of thousands of exchanges.
  const std::pair<const char*, const char*> cases[] = {
      {"Twenty", "16777200"}, {"Hundred", "16777200"}, {"All", "16776676"}, {"Gear", "16777216"}};
  for (const auto& [set, figure] : cases) {
    auto lines = run(std::string("rec SetRecordSet ") + set + "\nrec Start telemetry.ini\nrec AddData\nrows 3\n" +
                     "rec Shutdown\n");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], std::string("AddData replied found=0 bytes=") + figure + " progress=0 state=None") << set;
    EXPECT_EQ(lines[3], std::string("rows 3 replied replied=3 bytes=") + figure) << set;
  }
}

TEST_F(RecorderDaemon, ByteExactFile) {
  // Exact: utcSystemTime (8), speed (4), gear (4), position (12), totalSteps (4), LF.brakeWear (4)
  // at payload offsets 0, 8, 12, 16, 28, 32; the record's payload starts at offset 4.
  auto lines = run(
      "rec SetRecordSet Exact\n"
      "rec Start telemetry.ini\n"
      "zero\n"
      "set64 4 133000000000000000\n"
      "setf 12 1.5\n"
      "set32 16 -1\n"
      "setf 20 0.001\n"
      "setf 24 1234567\n"
      "setf 28 -2\n"
      "set32 32 4294967295\n"
      "set32 36 0\n"
      "rec AddData\n"
      "zero\n"
      "set64 4 133000000001234567\n"
      "setf 12 0\n"
      "set32 16 3\n"
      "setf 20 100\n"
      "setf 24 1e-7\n"
      "setf 28 0.5\n"
      "set32 32 7\n"
      "set32 36 250\n"
      "rec AddData\n"
      "rec Stop\n"
      "rec Save telemetry-Exact.tsv\n" +
      pollSave("telemetry-Exact.tsv") + "rec Shutdown\n");
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[6], "Save replied found=1 bytes=0 progress=100 state=Finished");
  EXPECT_EQ(file("telemetry-Exact.tsv"),
            "utcSystemTime\tspeed\tgear\tposition.x\tposition.y\tposition.z\ttotalSteps\tLF.brakeWear\t\r\n"
            "2022-06-18 04:26:40.000000\t1.50000\t-1\t0.00100000\t1.23457e+06\t-2.00000\t4294967295\t0\t\r\n"
            "2022-06-18 04:26:40.123456\t0.00000\t3\t100.000\t1.00000e-07\t0.500000\t7\t250\t\r\n");
}

TEST_F(RecorderDaemon, SaveTwiceSaveWithoutStartAndMissingFolder) {
  auto lines = run(
      "rec Save nostart.tsv\n" + pollSave("nostart.tsv") +
      "rec SetRecordSet Gear\n"
      "rec Start telemetry.ini\n"
      "set32 4 8\n"
      "rec AddData\n"
      "rec Stop\n"
      "rec Save no-such-folder\\x.tsv\n" +
      pollSave("no-such-folder\\x.tsv") +
      "rec Start telemetry.ini\n"
      "zero\n"
      "set32 4 8\n"
      "rec AddData\n"
      "rec Stop\n"
      "rec Save twice.tsv\n" +
      pollSave("twice.tsv") + "echo saved\n" + "sleep 200\n" + "rec Save twice.tsv\n" + "rec Shutdown\n");
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[1], "Save replied found=1 bytes=0 progress=0 state=Failed");
  EXPECT_EQ(lines[7], "Save replied found=1 bytes=0 progress=0 state=Failed");
  EXPECT_EQ(lines[12], "Save replied found=1 bytes=0 progress=100 state=Finished");
  EXPECT_EQ(lines[14], "Save replied found=1 bytes=0 progress=100 state=Finished");
  EXPECT_FALSE(exists("nostart.tsv"));
  EXPECT_FALSE(exists("no-such-folder"));
  EXPECT_EQ(file("twice.tsv"), "gear\t\r\n8\t\r\n");
}

TEST_F(RecorderDaemon, SecondSaveOfANameWritesNothing) {
  kvl::testing::ClientProcess client("launch 65568 " + daemonPath() +
                                         "\nrec SetRecordSet Gear\nrec Start telemetry.ini\nrec AddData\nrec Stop\n"
                                         "rec Save again.tsv\n" +
                                         pollSave("again.tsv") + "echo first done\nsleep 1500\n"
                                         "rec Save again.tsv\nsleep 300\nrec Shutdown\n",
                                     folder);
  ASSERT_NE(client.waitForLine("first done", 120000), "");  // seconds where 32-bit code is emulated
  DeleteFileA((folder + "\\again.tsv").c_str());
  auto result = client.wait(120000);
  auto lines = splitLines(result.output);
  ASSERT_EQ(lines.size(), 10u) << result.output;
  EXPECT_EQ(lines[8], "Save replied found=1 bytes=0 progress=100 state=Finished");
  EXPECT_FALSE(exists("again.tsv"));
}

TEST_F(RecorderDaemon, StartTwiceAppends) {
  auto lines = run(
      "rec SetRecordSet Gear\nrec Start telemetry.ini\n"
      "set32 4 1\nrec AddData\nset32 4 2\nrec AddData\nrec Stop\n"
      "rec Start telemetry.ini\nset32 4 3\nrec AddData\nrec Clear\nrec Stop\n"
      "rec Save appended.tsv\n" +
      pollSave("appended.tsv") + "rec Shutdown\n");
  EXPECT_EQ(file("appended.tsv"), "gear\t\r\n1\t\r\n2\t\r\n3\t\r\n");
}

TEST_F(RecorderDaemon, CancelDuringALargeWrite) {
  auto lines = run(
      "rec SetRecordSet All\nrec Start telemetry.ini\n"
      "rows 12000 12\nrec Stop\n"
      "rec Save big.tsv\nrec Cancel big.tsv\n" +
          pollSave("big.tsv") + "rec Shutdown\n",
      // 12,000 row exchanges: a few milliseconds each where 32-bit code is emulated, more with the
      // machine busy.
      480000);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[2], "rows 12000 replied replied=12000 bytes=16776676");
  EXPECT_EQ(lines[5], "Cancel replied found=1 bytes=0 progress=0 state=None");
  EXPECT_EQ(lines[6].rfind("Save replied found=1 bytes=0 progress=", 0), 0u);
  EXPECT_NE(lines[6].find("state=Canceled"), std::string::npos) << lines[6];
  EXPECT_EQ(lines[6].find("progress=100"), std::string::npos) << lines[6];
  const auto written = splitLines(file("big.tsv"));
  EXPECT_LT(written.size(), 12001u) << "the file keeps only the rows written before the cancel";
}

TEST_F(RecorderDaemon, ShutdownLetsTheQueuedJobsEnd) {
  auto lines = run(
      "rec SetRecordSet All\nrec Start telemetry.ini\nrows 8000 12\nrec Stop\nrec Save first.tsv\n"
      "rec SetRecordSet Gear\nrec Start telemetry.ini\nrows 5\nrec Stop\nrec Save second.tsv\n"
      "rec Shutdown\nwait\n",
      480000);  // 8,000 row exchanges, as above
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[10], "Shutdown replied found=0 bytes=0 progress=0 state=None");
  EXPECT_EQ(lines[11], "wait exit 0");
  // Both queued saves are written whole before the daemon leaves.
  EXPECT_EQ(splitLines(file("first.tsv")).size(), 8001u);
  EXPECT_EQ(splitLines(file("second.tsv")).size(), 6u);
}

// The game ends right after asking for a save: the daemon, holding the job, is not ended with it
// and writes the whole file before it leaves.
TEST_F(RecorderDaemon, ASaveOutlivesTheClientThatSharedTheJob) {
  kvl::testing::ClientProcess client("launch 65568 " + daemonPath() +
                                         "\nrec SetRecordSet All\nrec Start telemetry.ini\nrows 3000 12\nrec Stop\n"
                                         "rec Save kept.tsv\nshare\npid\nsleep 60000\n",
                                     folder);
  const std::string pidLine = client.waitForLine("pid ", 480000);  // 3,000 row exchanges
  ASSERT_NE(pidLine, "") << client.output();
  HANDLE daemon = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::stoul(pidLine.substr(4))));
  ASSERT_NE(daemon, nullptr);
  client.kill();
  EXPECT_EQ(WaitForSingleObject(daemon, 120000), WAIT_OBJECT_0);
  CloseHandle(daemon);
  EXPECT_NE(client.output().find("shared"), std::string::npos) << client.output();
  EXPECT_EQ(splitLines(file("kept.tsv")).size(), 3001u);
}

// The daemon's wait wakes for the plugin's process itself (see the channel's wait test), so its
// end never waits for the wait's time-out.
TEST_F(RecorderDaemon, LeavesWhenTheClientIsKilled) {
  kvl::testing::ClientProcess client("launch 65568 " + daemonPath() + "\nrec None\npid\nsleep 60000\n", folder);
  std::string pidLine = client.waitForLine("pid ", 120000);
  ASSERT_NE(pidLine, "") << client.output();
  HANDLE daemon = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::stoul(pidLine.substr(4))));
  ASSERT_NE(daemon, nullptr);
  EXPECT_EQ(WaitForSingleObject(daemon, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  client.kill();
  EXPECT_EQ(WaitForSingleObject(daemon, INFINITE), WAIT_OBJECT_0);
  CloseHandle(daemon);
}

TEST_F(RecorderDaemon, ExchangeReturnsAtOnceAfterTheDaemonIsKilled) {
  // "daemon-gone": no request was sent, so nothing was waited for.
  auto lines = run("rec None\nkill\nrec None\nrec Save x.tsv\n");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "None daemon-gone found=0 bytes=0 progress=0 state=None");
  EXPECT_EQ(lines[3], "Save daemon-gone found=0 bytes=0 progress=0 state=None");
}

// Started by hand: the banner and 42; bad handle values: 666; a mapping of 0: answers anyway;
// a handle that names nothing: the daemon ends instead of spinning.
TEST_F(RecorderDaemon, StartUp) {
  auto banner = kvl::testing::runProgram(daemonPath(), "");
  EXPECT_EQ(banner.exitCode, 42u);
  auto lines = splitLines(banner.output);
  ASSERT_EQ(lines.size(), 11u) << banner.output;
  EXPECT_EQ(lines[1], "  " + daemonPath());
  EXPECT_EQ(lines[6], "  Running 32-bit build on platform 'x64'.");

  for (const char* args : {"1 2 3 4 0x10", "\"12 \" 0 0 0 0", "1 \"\" 3 4 5", "2147483648 0 0 0 0", "1 2 3 4 -"}) {
    auto result = kvl::testing::runProgram(daemonPath(), args);
    EXPECT_EQ(result.exitCode, 666u) << args;
    EXPECT_EQ(result.output, "") << args;
  }

  auto failed = kvl::testing::runProgram(daemonPath(), "123456 0 123460 123464 0", 120000);
  EXPECT_TRUE(failed.finished);
  EXPECT_EQ(failed.exitCode, 0u);
}

TEST_F(RecorderDaemon, MappingZeroAnswersEveryRequest) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE request = CreateEventA(&sa, TRUE, FALSE, nullptr);
  HANDLE reply = CreateEventA(&sa, TRUE, FALSE, nullptr);
  HANDLE self = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, 0, TRUE,
                  DUPLICATE_SAME_ACCESS);
  auto value = [](HANDLE h) { return std::to_string(static_cast<int32_t>(reinterpret_cast<intptr_t>(h))); };
  std::string line = "\"" + daemonPath() + "\" " + value(self) + " 0 " + value(request) + " " + value(reply) + " 0";
  std::string buffer = line + '\0';
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(daemonPath().c_str(), &buffer[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                             nullptr, &si, &pi));
  // The first reply follows the daemon's start-up, which takes seconds where 32-bit code is emulated.
  for (int i = 0; i < 3; ++i) {
    SetEvent(request);
    ASSERT_EQ(WaitForSingleObject(reply, 120000), WAIT_OBJECT_0) << i;
    ResetEvent(reply);
  }
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "no Shutdown can be read";
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  for (HANDLE h : {pi.hProcess, pi.hThread, request, reply, self}) CloseHandle(h);
}

}  // namespace
