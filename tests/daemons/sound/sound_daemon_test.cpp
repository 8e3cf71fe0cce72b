// QzrFmodDaemon as the plugin runs it: started by the channel client with five inherited
// handle values, beside the FMOD stand-ins, in a folder laid out as the game's current
// directory. The tests compare the replies and the stand-ins' trace.
#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/daemons/channel_client/channel_client_runner.h"
#include "tests/daemons/sound/sound_test_support.h"

namespace kvl::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string daemonPath() { return buildTreePath(QZR_SOUND_DAEMON_DIR "/QzrFmodDaemon.exe"); }

const std::string kAllOnes = std::string(128, '0').replace(0, 128, [] {
  std::string s;
  for (int i = 0; i < 16; ++i) s += "01000000";
  return s;
}());
const std::string kAllZeros(128, '0');

class SoundDaemonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::make_unique<SoundFolder>("sound-daemon");
    folder_->writeFullBank();
    folder_->writeIni("[Car03]\nbankName=rally\nmasterVolume=0.5\n");
    SetEnvironmentVariableA("FMODSIM_TRACE", folder_->tracePath().c_str());
    SetEnvironmentVariableA("FMODSIM_FAIL", nullptr);
  }
  void TearDown() override {
    SetEnvironmentVariableA("FMODSIM_TRACE", nullptr);
    SetEnvironmentVariableA("FMODSIM_FAIL", nullptr);
  }

  // The client's script: the daemon launched with the sound channel's ranges, car 3, factor 1.
  std::string script(const std::string& body) const {
    return "launch 720 " + daemonPath() +
           "\nrequest 0 656\nreply 656 64\nset32 4 3\nsetf 76 1\n" + body;
  }

  std::vector<std::string> run(const std::string& body) {
    ProcessResult r = runChannelClient(script(body), 120000, folder_->path());
    EXPECT_TRUE(r.finished);
    return splitLines(r.output);
  }

  std::vector<TraceCall> trace() const { return readTrace(folder_->tracePath()); }

  std::unique_ptr<SoundFolder> folder_;
};

std::string command(int code) {
  return "set32 0 " + std::to_string(code) + "\nexchange\nprint hex 656 64\n";
}

TEST(SoundDaemonStartup, BannerAndExitCodes) {
  const struct {
    const char* arguments;
    DWORD exitCode;
    bool banner;
  } cases[] = {
      {"", 42, true},
      {"1 2 3 4", 42, true},
      {"1 2 3 4 0x10", 666, false},
      {"1 2 3 4 2147483648", 666, false},
      {"1 2 3 \"\" 5", 666, false},
      {"\"12 \" 2 3 4 5", 666, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    ProcessResult r = runProgram(daemonPath(), c.arguments, 30000);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, c.exitCode);
    if (c.banner) {
      const auto lines = splitLines(r.output);
      ASSERT_GE(lines.size(), 10u);
      EXPECT_EQ(lines[0], "");
      EXPECT_EQ(lines[1], "  " + daemonPath());
      EXPECT_EQ(lines[3], "  Version 7.4.778.7 (2024-09-15)");
      EXPECT_EQ(lines[6], "  Running 64-bit build on platform 'x64'.");
      EXPECT_EQ(lines[8], "  This program can't be run standalone.");
      EXPECT_EQ(lines[9], "  Anyway, all dependencies seem to be satisfied.");
    } else {
      EXPECT_EQ(r.output, "");
    }
  }
}

TEST(SoundDaemonStartup, FailedWaitEndsTheDaemon) {
  // Handle values that name no object: the wait fails, and the daemon leaves instead of
  // retrying forever.
  ProcessResult r = runProgram(daemonPath(), "2147483632 0 2147483628 2147483624 0", 30000);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
}

TEST_F(SoundDaemonTest, SessionRepliesAndLibraryCalls) {
  const auto lines = run(command(1) + command(2) + "setf 28 3000\n" + command(5) +
                         "set32 72 1\n" + command(4) + "set32 72 0\n" + command(4) + command(3) +
                         command(6) + "wait\n");
  EXPECT_THAT(lines, ElementsAre("launched", "exchange replied", "hex@656 " + kAllOnes,
                                 "exchange replied", "hex@656 " + kAllOnes, "exchange replied",
                                 "hex@656 " + kAllOnes, "exchange replied", "hex@656 " + kAllOnes,
                                 "exchange replied", "hex@656 " + kAllOnes, "exchange replied",
                                 "hex@656 " + kAllZeros, "exchange replied",
                                 "hex@656 " + kAllZeros, "wait exit 0"));
  const auto calls = trace();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front().function, "FMOD_Studio_System_Create");
  // The master volume: 0.5 from the ini times the factor 1, after the load and on resume.
  const auto volumes = callsOf(calls, "SetVolume");
  ASSERT_EQ(volumes.size(), 2u);
  EXPECT_EQ(volumes[0].arg("volume"), "0.5");
  EXPECT_THAT(parameterValues(calls, "event:/engine_ext", "rpms"), ElementsAre(0.0f, 3000.0f));
  // Quit: nothing left to stop; the system is released with nothing alive.
  const auto release = callsOf(calls, "FMOD_Studio_System_Release");
  ASSERT_EQ(release.size(), 1u);
  EXPECT_EQ(release[0].arg("live_instances"), "0");
  EXPECT_EQ(release[0].arg("live_banks"), "0");
  EXPECT_EQ(calls.back().function, "FMOD_Studio_System_Release");
  // Every command but the frame ends with a Studio update; the frame has its own.
  EXPECT_EQ(callsOf(calls, "FMOD_Studio_System_Update").size(), 7u);
}

TEST_F(SoundDaemonTest, FrameLeavesTheResultWordsInTheBlockAlone) {
  // The client sends the whole record here, so the block's result area holds 0x55 bytes that
  // only a command that copies its result words replaces.
  const std::string fives(128, '5');
  const auto lines = run(command(1) + "request 0 720\nfill 656 64 85\n" + command(5) +
                         "fill 656 64 85\n" + command(7) + "fill 656 64 85\n" + command(4) +
                         command(6) + "wait\n");
  EXPECT_THAT(lines, ElementsAre("launched", "exchange replied", "hex@656 " + kAllOnes,
                                 "exchange replied", "hex@656 " + fives, "exchange replied",
                                 "hex@656 " + fives, "exchange replied", "hex@656 " + kAllOnes,
                                 "exchange replied", "hex@656 " + kAllOnes, "wait exit 0"));
}

TEST_F(SoundDaemonTest, QuietPlugInPausesEverythingOnce) {
  // One frame with everything playing, then 700 ms without a request: one pause of all.
  const auto lines = run(command(1) + command(2) + command(5) + "sleep 700\n" + command(6) +
                         "wait\n");
  EXPECT_EQ(lines.back(), "wait exit 0");
  const auto calls = trace();
  // 16 reads by the frame, 16 by the quiet pause, none by later time-outs.
  EXPECT_EQ(callsOf(calls, "GetPaused").size(), 32u);
  size_t pausedByQuiet = 0;
  bool afterFrameUpdate = false;
  int updates = 0;
  for (const auto& c : calls) {
    if (c.function == "FMOD_Studio_System_Update" && ++updates == 3) afterFrameUpdate = true;
    if (afterFrameUpdate && c.function == "FMOD_Studio_EventInstance_SetPaused") {
      EXPECT_EQ(c.arg("paused"), "1");
      ++pausedByQuiet;
    }
  }
  // In the exterior view five sounds were already paused; the other eleven get paused now.
  EXPECT_EQ(pausedByQuiet, 11u);
}

TEST_F(SoundDaemonTest, WithoutTheLibraryEveryCommandIsStillAnswered) {
  SetEnvironmentVariableA("FMODSIM_FAIL", "FMOD_Studio_System_Initialize=51");
  const auto lines = run(command(1) + command(2) + command(5) + command(4) + command(3) +
                         command(6) + "wait\n");
  EXPECT_EQ(lines.size(), 14u);
  for (size_t i = 1; i + 1 < lines.size(); i += 2) {
    EXPECT_EQ(lines[i], "exchange replied");
    EXPECT_EQ(lines[i + 1], "hex@656 " + kAllZeros);
  }
  EXPECT_EQ(lines.back(), "wait exit 0");
  EXPECT_THAT(callSummary(trace()),
              ElementsAre("Create", "GetCoreSystem", "SetAdvancedSettings", "Initialize", "Release"));
}

TEST_F(SoundDaemonTest, MissingEventsReportZeroInTheirWords) {
  folder_->writeBank("rally.bank", {"event:/engine_ext", "event:/wheel"});
  const auto lines = run(command(1) + command(6) + "wait\n");
  // engine_ext is the second word, the wheels the last four.
  std::string expected(128, '0');
  expected.replace(8, 8, "01000000");
  for (int w = 12; w < 16; ++w) expected.replace(w * 8, 8, "01000000");
  EXPECT_THAT(lines, ElementsAre("launched", "exchange replied", "hex@656 " + expected,
                                 "exchange replied", "hex@656 " + expected, "wait exit 0"));
}

TEST_F(SoundDaemonTest, GearChangesFollowTheUnseededRandomSequence) {
  // Without fluctuation every change is taken at once; the spreads come from rand() in a
  // process that never seeds it: 41, 67, 34 modulo 100 for the first three calls.
  folder_->writeFullBank("0");
  run(command(1) + command(2) + "set32 8 1\nset32 20 2\n" + command(5) + "set32 20 3\n" +
      command(5) + command(5) + "set32 20 2\n" + command(5) + command(6) + "wait\n");
  const auto calls = trace();
  auto spread = [](int r) { return static_cast<float>(r) / 100.0f * 0.4f; };
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "state"),
              ElementsAre(0.0f, 0.6f + spread(41), 0.6f + spread(67), 0.0f, 0.1f + spread(34)));
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"),
              ElementsAre(0.0f, 1.0f, 2.0f, 2.0f, 1.0f));
}

TEST_F(SoundDaemonTest, PauseRulesThroughTheChannel) {
  // Interior view, then the engine sounds off, then the exterior view: the paused state of
  // each instance as the stand-in keeps it.
  struct Step {
    const char* fields;
    std::vector<std::string> paused;
  };
  const Step steps[] = {
      {"set32 8 1\nset32 24 0\n",
       {"event:/engine_ext", "event:/blowoff_ext", "event:/backfire_ext", "event:/gear_ext"}},
      {"set32 8 1\nset32 24 1\n",
       {"event:/engine_int", "event:/engine_ext", "event:/turbo", "event:/blowoff_int",
        "event:/blowoff_ext", "event:/backfire_int", "event:/backfire_ext", "event:/gear_ext"}},
      {"set32 8 0\nset32 24 0\n",
       {"event:/engine_int", "event:/blowoff_int", "event:/backfire_int", "event:/gear_int",
        "event:/wind"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.fields);
    folder_->clearTrace();
    run(command(1) + step.fields + command(4) + command(6) + "wait\n");
    std::map<std::string, bool> state;
    for (const auto& c : callsOf(trace(), "SetPaused")) state[c.arg("instance")] = c.arg("paused") == "1";
    std::vector<std::string> paused;
    for (const auto& [instance, isPaused] : state) {
      if (isPaused) paused.push_back(eventOfInstance(instance));
    }
    std::vector<std::string> expected = step.paused;
    std::sort(expected.begin(), expected.end());
    std::sort(paused.begin(), paused.end());
    EXPECT_EQ(paused, expected);
  }
}

// The plugin's side done by hand, to end the "plugin process" while the daemon runs: an
// inheritable event stands in for the process handle.
TEST_F(SoundDaemonTest, PluginEndingStopsAndReleasesEverything) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE plugin = CreateEventA(&inherit, TRUE, FALSE, nullptr);
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, 720, nullptr);
  HANDLE request = CreateEventA(&inherit, TRUE, FALSE, nullptr);
  HANDLE reply = CreateEventA(&inherit, TRUE, FALSE, nullptr);
  auto* block = static_cast<uint32_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 720));
  ASSERT_NE(block, nullptr);
  auto value = [](HANDLE h) { return std::to_string(static_cast<int32_t>(reinterpret_cast<intptr_t>(h))); };
  std::string line = "\"" + daemonPath() + "\" " + value(plugin) + " " + value(mapping) + " " +
                     value(request) + " " + value(reply) + " 0";
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(daemonPath().c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                             nullptr, folder_->path().c_str(), &si, &pi));
  block[0] = 1;  // load
  block[1] = 3;
  SetEvent(request);
  EXPECT_EQ(WaitForSingleObject(reply, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(block[164], 1u) << "engine_int loaded";
  ResetEvent(reply);
  SetEvent(plugin);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(WaitForSingleObject(reply, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "no reply after the end";
  const auto calls = trace();
  EXPECT_EQ(callsOf(calls, "Stop").size(), 16u);
  EXPECT_EQ(callsOf(calls, "Unload").size(), 2u);
  const auto release = callsOf(calls, "FMOD_Studio_System_Release");
  ASSERT_EQ(release.size(), 1u);
  EXPECT_EQ(release[0].arg("live_instances"), "0");
  EXPECT_EQ(release[0].arg("live_banks"), "0");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  UnmapViewOfFile(block);
  for (HANDLE h : {plugin, mapping, request, reply}) CloseHandle(h);
}

}  // namespace
}  // namespace kvl::testing
