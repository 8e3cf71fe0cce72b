// The sound server inside the test process, against the FMOD stand-ins: what it asks the
// library to do for each command, and what it answers.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "daemons/sound/sound_server.h"
#include "tests/daemons/channel_client/channel_client_runner.h"
#include "tests/daemons/sound/sound_test_support.h"

namespace kvl {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using kvl::testing::callsOf;
using kvl::testing::callSummary;
using kvl::testing::parameterValues;
using kvl::testing::readTrace;
using kvl::testing::SoundFolder;
using kvl::testing::TraceCall;

class SoundServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    oldDirectory_ = cwd;
    folder_ = std::make_unique<SoundFolder>("sound-server");
    SetCurrentDirectoryA(folder_->path().c_str());
    SetEnvironmentVariableA("FMODSIM_TRACE", folder_->tracePath().c_str());
    SetEnvironmentVariableA("FMODSIM_FAIL", nullptr);
    folder_->writeFullBank();
    folder_->writeIni("[Car03]\nbankName=rally\n");
    std::memset(static_cast<void*>(&shared_), 0, sizeof(shared_));
    shared_.carIndex = 3;
    shared_.volumeFactor = 1.0f;
    server_ = std::make_unique<SoundServer>(0, nullptr);
    server_->setClock([this] { return now_; });
  }

  void TearDown() override {
    server_->stopAll();
    server_->releaseFmod();
    server_.reset();
    SetEnvironmentVariableA("FMODSIM_TRACE", nullptr);
    SetEnvironmentVariableA("FMODSIM_FAIL", nullptr);
    SetCurrentDirectoryA(oldDirectory_.c_str());
  }

  void fail(const std::string& rules) { SetEnvironmentVariableA("FMODSIM_FAIL", rules.c_str()); }

  bool send(SoundCommand command) {
    shared_.command = static_cast<uint32_t>(command);
    return server_->serveRequest(reinterpret_cast<uint8_t*>(&shared_));
  }

  // Studio start-up and command 1; the trace starts afresh after it.
  void initAndLoad() {
    server_->initFmod();
    send(SoundCommand::Load);
    folder_->clearTrace();
  }

  std::vector<TraceCall> trace() const { return readTrace(folder_->tracePath()); }

  std::vector<int32_t> resultWords() const {
    const int32_t* w = &shared_.results.engineInt;
    return std::vector<int32_t>(w, w + 16);
  }

  std::string oldDirectory_;
  std::unique_ptr<SoundFolder> folder_;
  std::unique_ptr<SoundServer> server_;
  SoundRecord shared_;
  int64_t now_ = 1000000;
};

const std::vector<int32_t> kAllLoaded(16, 1);
const std::vector<int32_t> kNoneLoaded(16, 0);

TEST_F(SoundServerTest, LoadAsksForBanksEventsAndVolumeInOrder) {
  server_->initFmod();
  folder_->clearTrace();
  EXPECT_FALSE(send(SoundCommand::Load));
  std::vector<std::string> expected = {"LoadBankFile", "LoadBankFile"};
  const char* events[] = {"engine_int", "engine_ext", "turbo", "wind", "blowoff_int",
                          "blowoff_ext", "ignition", "backfire_int", "backfire_ext", "gear_int",
                          "gear_ext", "transmission", "wheel", "wheel", "wheel", "wheel"};
  for (const char* e : events) {
    const std::string path = std::string("event:/") + e;
    for (const char* f : {"GetEvent ", "GetUserProperty ", "LoadSampleData ", "CreateInstance "}) {
      expected.push_back(f + path);
    }
  }
  for (const char* f : {"GetCoreSystem", "GetMasterChannelGroup", "GetVolume", "SetVolume", "Update"}) {
    expected.push_back(f);
  }
  const auto calls = trace();
  std::vector<std::string> summary = callSummary(calls);
  // Bank calls carry no event subject: compare the function name only.
  summary[0] = summary[0].substr(0, summary[0].find(' '));
  summary[1] = summary[1].substr(0, summary[1].find(' '));
  EXPECT_THAT(summary, ElementsAreArray(expected));

  const auto banks = callsOf(calls, "LoadBankFile");
  ASSERT_EQ(banks.size(), 2u);
  EXPECT_EQ(banks[0].arg("file"), folder_->path() + "\\AudioFMOD\\rally.bank");
  EXPECT_EQ(banks[1].arg("file"), folder_->path() + "\\AudioFMOD\\rally.strings.bank");
  EXPECT_EQ(banks[0].arg("flags"), "0");
  EXPECT_EQ(resultWords(), kAllLoaded);
}

TEST_F(SoundServerTest, StartupFollowsTheSettingsFile) {
  struct Case {
    const char* settings;
    const char* studioFlags;
    const char* profilePort;
  };
  const Case cases[] = {
      {"", "0x0", "0"},
      {"enableLiveUpdate=TRUE\n", "0x1", "0"},
      {"enableLiveUpdate=1\n", "0x1", "0"},
      {"enableLiveUpdate=yes\n", "0x0", "0"},
      {"enableLiveUpdate= true \nprofilePort=9264\n", "0x1", "9264"},
      {"profilePort=70000\n", "0x0", "4464"},
      {"profilePort=junk\n", "0x0", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    folder_->writeIni(std::string("[Settings]\n") + c.settings);
    folder_->clearTrace();
    SoundServer server(0, nullptr);
    server.initFmod();
    ASSERT_NE(server.studioSystem(), nullptr);
    const auto calls = trace();
    EXPECT_THAT(callSummary(calls),
                ElementsAre("Create", "GetCoreSystem", "SetAdvancedSettings", "Initialize"));
    EXPECT_EQ(calls[0].arg("version"), "0x00020220");
    EXPECT_EQ(calls[2].arg("cbSize"), "104");
    EXPECT_EQ(calls[2].arg("vol0virtualvol"), "0.001");
    EXPECT_EQ(calls[2].arg("profilePort"), c.profilePort);
    EXPECT_EQ(calls[3].arg("maxchannels"), "256");
    EXPECT_EQ(calls[3].arg("studioflags"), c.studioFlags);
    EXPECT_EQ(calls[3].arg("flags"), "0x20000");
    EXPECT_EQ(calls[3].arg("extra"), "null");
    server.releaseFmod();
  }
}

TEST_F(SoundServerTest, FailedStartupLeavesNoSystemAndCommandsStillWork) {
  struct Case {
    const char* rule;
    size_t releases;
  };
  const Case cases[] = {
      {"FMOD_Studio_System_Create=null", 0},
      {"FMOD_Studio_System_Create=28", 0},
      {"FMOD_Studio_System_GetCoreSystem=30", 1},
      {"FMOD_System_SetAdvancedSettings=31", 1},
      {"FMOD_Studio_System_Initialize=51", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    fail(c.rule);
    folder_->clearTrace();
    SoundServer server(0, nullptr);
    server.initFmod();
    EXPECT_EQ(server.studioSystem(), nullptr);
    EXPECT_EQ(callsOf(trace(), "FMOD_Studio_System_Release").size(), c.releases);
    fail("");
    folder_->clearTrace();
    SoundRecord shared;
    shared.carIndex = 3;
    for (uint32_t command = 1; command <= 6; ++command) {
      shared.command = command;
      shared.results.engineInt = 9;
      EXPECT_EQ(server.serveRequest(reinterpret_cast<uint8_t*>(&shared)), command == 6);
      if (command != 5) {
        EXPECT_EQ(shared.results.engineInt, 0) << "command " << command;
      }
    }
    EXPECT_TRUE(trace().empty()) << "no library call without a system";
  }
}

TEST_F(SoundServerTest, ResultWordIsSetOnlyForAnInstanceThatExists) {
  struct Case {
    const char* rule;
    const char* bankExtra;
    bool withEngineInt;
    int32_t expected;
  };
  const Case cases[] = {
      {"", "", true, 1},
      {"", "", false, 0},
      {"FMOD_Studio_System_GetEvent:engine_int=74", "", true, 0},
      {"FMOD_Studio_System_GetEvent:engine_int=null", "", true, 0},
      {"FMOD_Studio_EventDescription_LoadSampleData:engine_int=30", "", true, 0},
      {"FMOD_Studio_EventDescription_CreateInstance:engine_int=38", "", true, 0},
      {"FMOD_Studio_EventDescription_CreateInstance:engine_int=null", "", true, 0},
      {"FMOD_Studio_EventDescription_GetUserProperty=74", "", true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    std::vector<std::string> events = kvl::testing::kAllSoundEvents;
    if (!c.withEngineInt) events.erase(events.begin());
    folder_->writeBank("rally.bank", events, c.bankExtra);
    server_->initFmod();
    fail(c.rule);
    send(SoundCommand::Load);
    fail("");
    std::vector<int32_t> expected = kAllLoaded;
    expected[0] = c.expected;
    EXPECT_EQ(resultWords(), expected);
    EXPECT_EQ(server_->slot(SoundServer::EngineInt).instance != nullptr, c.expected == 1);
    // The start command skips what is missing.
    folder_->clearTrace();
    send(SoundCommand::Start);
    EXPECT_EQ(callsOf(trace(), "Start").size(), c.expected == 1 ? 16u : 15u);
    server_->stopAll();
    server_->releaseFmod();
  }
}

TEST_F(SoundServerTest, MissingBanksOrBankNameLoadNothing) {
  struct Case {
    const char* ini;
    bool writeBank;
    size_t bankLoads;  // the volume is applied whenever a bank name was found
  };
  const Case cases[] = {
      {"[Car03]\nbankName=rally\n", false, 2},
      {"[Car03]\nbankName=\n", true, 0},
      {"[Car04]\nbankName=rally\n", true, 0},
      {"", true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    DeleteFileA((folder_->path() + "\\AudioFMOD\\rally.bank").c_str());
    if (c.writeBank) folder_->writeFullBank();
    folder_->writeIni(c.ini);
    server_->initFmod();
    folder_->clearTrace();
    shared_.results.wind = 5;
    send(SoundCommand::Load);
    EXPECT_EQ(resultWords(), kNoneLoaded);
    EXPECT_EQ(callsOf(trace(), "LoadBankFile").size(), c.bankLoads);
    EXPECT_EQ(callsOf(trace(), "SetVolume").size(), c.bankLoads > 0 ? 1u : 0u);
    server_->releaseFmod();
  }
}

TEST_F(SoundServerTest, BankNameIsTrimmedAndSectionIsZeroFilled) {
  folder_->writeIni("[Car12]\nbankName=  rally  \n[Car07]\nbankName=rally\n");
  server_->initFmod();
  for (uint32_t car : {12u, 7u}) {
    shared_.carIndex = car;
    send(SoundCommand::Load);
    EXPECT_EQ(resultWords(), kAllLoaded) << "car " << car;
  }
}

TEST_F(SoundServerTest, LoadingAgainFirstReleasesWhatTheLastLoadCreated) {
  initAndLoad();
  send(SoundCommand::Load);
  const auto calls = trace();
  const auto summary = callSummary(calls);
  size_t firstBank = 0;
  while (firstBank < summary.size() && summary[firstBank].rfind("LoadBankFile", 0) != 0) ++firstBank;
  ASSERT_LT(firstBank, summary.size());
  const std::vector<TraceCall> before(calls.begin(), calls.begin() + firstBank);
  EXPECT_EQ(callsOf(before, "Stop").size(), 16u);
  EXPECT_EQ(callsOf(before, "EventInstance_Release").size(), 16u);
  EXPECT_EQ(callsOf(before, "Unload").size(), 2u);
  for (const char* f : {"LoadBankFile", "CreateInstance"}) {
    for (const auto& c : callsOf(calls, f)) EXPECT_EQ(c.result, 0) << c.line;
  }
  EXPECT_EQ(resultWords(), kAllLoaded);

  server_->stopAll();
  server_->releaseFmod();
  const auto release = callsOf(trace(), "FMOD_Studio_System_Release");
  ASSERT_EQ(release.size(), 1u);
  EXPECT_EQ(release[0].arg("live_instances"), "0");
  EXPECT_EQ(release[0].arg("live_banks"), "0");
}

TEST_F(SoundServerTest, StopAndUnloadTwiceIsHarmless) {
  initAndLoad();
  send(SoundCommand::StopUnload);
  EXPECT_EQ(resultWords(), kNoneLoaded);
  auto calls = trace();
  EXPECT_EQ(callsOf(calls, "Stop").size(), 16u);
  for (const auto& c : callsOf(calls, "Stop")) EXPECT_EQ(c.arg("mode"), "1");
  EXPECT_EQ(callsOf(calls, "Unload").size(), 2u);
  folder_->clearTrace();
  send(SoundCommand::StopUnload);
  EXPECT_THAT(callSummary(trace()), ElementsAre("Update"));
}

TEST_F(SoundServerTest, FluctuationLengthAcceptsFloatAndIntegerProperties) {
  struct Case {
    const char* property;
    float expected;
  };
  const Case cases[] = {
      {"property fluctuation_length float 0.5\n", 0.5f},
      {"property fluctuation_length int 2\n", 2.0f},
      {"property fluctuation_length bool true\n", 0.0f},
      {"property fluctuation_length string 1.5\n", 0.0f},
      {"property other float 3\n", 0.0f},
      {"", 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.property);
    std::string bank = "event event:/engine_int\n" + std::string(c.property);
    std::vector<std::string> rest(kvl::testing::kAllSoundEvents.begin() + 1,
                                  kvl::testing::kAllSoundEvents.end());
    folder_->writeBank("rally.bank", rest, bank);
    server_->initFmod();
    send(SoundCommand::Load);
    EXPECT_FLOAT_EQ(server_->slot(SoundServer::EngineInt).fluctuationLength, c.expected);
    server_->stopAll();
    server_->releaseFmod();
  }
}

TEST_F(SoundServerTest, PauseRulesChooseInteriorOrExteriorSounds) {
  using S = SoundServer;
  struct Case {
    const char* name;
    uint32_t interior;
    uint32_t engineOff;
    uint32_t paused;
    std::set<int> pausedSlots;
  };
  const Case cases[] = {
      {"exterior", 0, 0, 0, {S::EngineInt, S::BlowoffInt, S::BackfireInt, S::GearInt, S::Wind}},
      {"interior", 1, 0, 0, {S::EngineExt, S::BlowoffExt, S::BackfireExt, S::GearExt}},
      {"interior, engine off", 1, 1, 0,
       {S::EngineInt, S::EngineExt, S::Turbo, S::BlowoffInt, S::BlowoffExt, S::BackfireInt,
        S::BackfireExt, S::GearExt}},
      {"exterior, engine off", 0, 1, 0,
       {S::EngineInt, S::EngineExt, S::Turbo, S::BlowoffInt, S::BlowoffExt, S::BackfireInt,
        S::BackfireExt, S::GearInt, S::Wind}},
      {"all", 1, 0, 1,
       {S::EngineInt, S::EngineExt, S::BackfireInt, S::BackfireExt, S::GearInt, S::Ignition,
        S::BlowoffInt, S::GearExt, S::BlowoffExt, S::Transmission, S::Turbo, S::Wind, S::Wheel0,
        S::Wheel1, S::Wheel2, S::Wheel3}},
  };
  initAndLoad();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    shared_.interiorView = c.interior;
    shared_.engineSoundsOff = c.engineOff;
    shared_.paused = c.paused;
    send(SoundCommand::PauseResume);
    for (int s = 0; s < S::SlotCount; ++s) {
      EXPECT_EQ(server_->slot(static_cast<S::Slot>(s)).paused != 0, c.pausedSlots.count(s) == 1)
          << "slot " << s;
    }
    // The library's own state agrees: a second identical command changes nothing.
    folder_->clearTrace();
    send(SoundCommand::PauseResume);
    EXPECT_TRUE(callsOf(trace(), "SetPaused").empty());
    EXPECT_EQ(callsOf(trace(), "GetPaused").size(), 16u);
    // 3D placement only with the engine sounds on and nothing paused as a whole.
    EXPECT_EQ(callsOf(trace(), "SetListenerAttributes").size(),
              c.engineOff == 0 && c.paused == 0 ? 1u : 0u);
  }
}

TEST_F(SoundServerTest, FailedPauseChangeKeepsTheFlagAndPlacementGoesOn) {
  initAndLoad();
  shared_.interiorView = 1;
  fail("FMOD_Studio_EventInstance_SetPaused:backfire_ext=30");
  send(SoundCommand::PauseResume);
  EXPECT_EQ(server_->slot(SoundServer::BackfireExt).paused, 0);
  EXPECT_EQ(server_->slot(SoundServer::EngineExt).paused, 1);
  const auto placed = callsOf(trace(), "Set3DAttributes");
  size_t backfireExt = 0;
  for (const auto& c : placed) backfireExt += c.arg("instance").find("backfire_ext") != std::string::npos;
  EXPECT_EQ(backfireExt, 1u);
  EXPECT_EQ(callsOf(trace(), "SetListenerAttributes").size(), 1u);
}

TEST_F(SoundServerTest, EachEventIsPlacedFromItsOwnBlock) {
  initAndLoad();
  for (int b = 0; b < kSoundBlockCount; ++b) {
    shared_.blocks[b].position = {float(b), float(10 + b), float(20 + b), 99.0f};
    shared_.blocks[b].velocity = {1.5f, 0, 0, 0};
    shared_.blocks[b].forward = {0, 0, 1, 0};
    shared_.blocks[b].up = {0, 1, 0, 0};
  }
  // Interior view with every exterior sound paused; resume the interior ones.
  shared_.interiorView = 1;
  send(SoundCommand::PauseResume);
  const auto calls = trace();
  const auto listener = callsOf(calls, "SetListenerAttributes");
  ASSERT_EQ(listener.size(), 1u);
  EXPECT_EQ(listener[0].arg("index"), "0");
  EXPECT_EQ(listener[0].arg("pos"), "0,10,20");
  EXPECT_EQ(listener[0].arg("vel"), "1.5,0,0");
  EXPECT_EQ(listener[0].arg("fwd"), "0,0,1");
  EXPECT_EQ(listener[0].arg("up"), "0,1,0");
  EXPECT_EQ(listener[0].arg("attenuation"), "null");
  std::vector<std::string> placed;
  for (const auto& c : callsOf(calls, "Set3DAttributes")) {
    placed.push_back(kvl::testing::eventOfInstance(c.arg("instance")) + " " + c.arg("pos"));
  }
  EXPECT_THAT(placed, ElementsAre("event:/wind 0,10,20", "event:/engine_int 2,12,22",
                                  "event:/backfire_int 2,12,22", "event:/ignition 2,12,22",
                                  "event:/turbo 3,13,23", "event:/blowoff_int 3,13,23",
                                  "event:/gear_int 4,14,24", "event:/transmission 4,14,24",
                                  "event:/wheel 5,15,25", "event:/wheel 6,16,26",
                                  "event:/wheel 7,17,27", "event:/wheel 8,18,28"));
}

TEST_F(SoundServerTest, MasterVolumeIsClampedAtZeroAndScaled) {
  struct Case {
    const char* masterVolume;
    float factor;
    const char* expected;
  };
  const Case cases[] = {
      {"masterVolume=-0.5\n", 1.0f, "0"},
      {"masterVolume=2.0\n", 0.5f, "1"},
      {"masterVolume=3\n", 1.0f, "3"},
      {"", 0.25f, "0.25"},
      {"masterVolume=abc\n", 1.0f, "0"},
  };
  server_->initFmod();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.masterVolume);
    folder_->writeIni(std::string("[Car03]\nbankName=rally\n") + c.masterVolume);
    shared_.volumeFactor = c.factor;
    for (SoundCommand command : {SoundCommand::Load, SoundCommand::PauseResume}) {
      folder_->clearTrace();
      send(command);
      const auto volumes = callsOf(trace(), "SetVolume");
      ASSERT_EQ(volumes.size(), 1u);
      EXPECT_EQ(volumes[0].arg("volume"), c.expected);
    }
  }
  // No volume change when the master group cannot be read.
  fail("FMOD_ChannelGroup_GetVolume=30");
  folder_->clearTrace();
  send(SoundCommand::PauseResume);
  EXPECT_TRUE(callsOf(trace(), "SetVolume").empty());
}

TEST_F(SoundServerTest, StartPlaysEverythingAndResetsGearParameters) {
  initAndLoad();
  shared_.engineSpeed = 850.0f;
  send(SoundCommand::Start);
  const auto calls = trace();
  std::vector<std::string> started;
  for (const auto& c : callsOf(calls, "Start")) started.push_back(kvl::testing::eventOfInstance(c.arg("instance")));
  EXPECT_THAT(started, ElementsAre("event:/engine_int", "event:/engine_ext", "event:/turbo",
                                   "event:/wind", "event:/blowoff_int", "event:/blowoff_ext",
                                   "event:/backfire_int", "event:/backfire_ext", "event:/gear_int",
                                   "event:/gear_ext", "event:/ignition", "event:/transmission",
                                   "event:/wheel", "event:/wheel", "event:/wheel", "event:/wheel"));
  EXPECT_THAT(parameterValues(calls, "event:/engine_int", "rpms"), ElementsAre(850.0f));
  EXPECT_THAT(parameterValues(calls, "event:/engine_ext", "rpms"), ElementsAre(850.0f));
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"), ElementsAre(0.0f));
  EXPECT_THAT(parameterValues(calls, "event:/gear_ext", "state"), ElementsAre(0.0f));
  for (const auto& c : callsOf(calls, "SetParameterByName")) EXPECT_EQ(c.arg("ignoreseekspeed"), "0");
  EXPECT_EQ(server_->previousGear(), 1);
}

TEST_F(SoundServerTest, FrameSetsEveryParameterFromTheRecord) {
  initAndLoad();
  send(SoundCommand::Start);
  shared_.throttle = 0.75f;
  shared_.brake = 0.25f;
  shared_.gear = 1;
  shared_.engineSpeed = 4200.0f;
  shared_.valve = 0.4f;
  shared_.boost = 0.5f;
  shared_.exhaustPop = 0.95f;
  shared_.battery = 12.5f;
  shared_.transmissionWheelSpeed = 88.0f;
  shared_.carSpeed = 90.0f;
  for (int w = 0; w < 4; ++w) shared_.wheelSpeed[w] = 80.0f + w;
  folder_->clearTrace();
  send(SoundCommand::Frame);
  const auto calls = trace();
  struct Expect {
    const char* event;
    const char* name;
    float value;
  };
  const Expect expected[] = {
      {"event:/engine_int", "rpms", 4200}, {"event:/engine_ext", "rpms", 4200},
      {"event:/engine_int", "throttle", 0.75f}, {"event:/engine_ext", "throttle", 0.75f},
      {"event:/turbo", "throttle", 0.75f}, {"event:/turbo", "boost", 0.5f},
      {"event:/transmission", "throttle", 0.75f}, {"event:/transmission", "wheel_speed", 88},
      {"event:/wind", "car_speed", 90}, {"event:/gear_int", "gear", 0},
      {"event:/gear_ext", "gear", 0}, {"event:/gear_int", "state", 0},
      {"event:/engine_int", "fluctuation", 0}, {"event:/transmission", "fluctuation", 0},
      {"event:/backfire_int", "throttle", 0.75f}, {"event:/backfire_ext", "exhaustpop", 0.95f},
      {"event:/ignition", "startup", 0}, {"event:/blowoff_int", "valve", 0.4f},
      {"event:/blowoff_ext", "valve", 0.4f},
  };
  for (const Expect& e : expected) {
    EXPECT_THAT(parameterValues(calls, e.event, e.name), ElementsAre(e.value))
        << e.event << " " << e.name;
  }
  std::vector<float> wheels = parameterValues(calls, "event:/wheel", "wheel_speed");
  EXPECT_THAT(wheels, ElementsAre(80, 81, 82, 83));
  EXPECT_THAT(parameterValues(calls, "event:/wheel", "brake"), ElementsAre(0.25f, 0.25f, 0.25f, 0.25f));
  EXPECT_TRUE(parameterValues(calls, "event:/ignition", "battery").empty());
  EXPECT_EQ(callsOf(calls, "FMOD_Studio_System_Update").size(), 1u);
  EXPECT_EQ(callSummary(calls).back(), "Update");
}

TEST_F(SoundServerTest, GearChangesShapeStateAndFluctuation) {
  initAndLoad();
  send(SoundCommand::Start);
  shared_.interiorView = 1;  // engine_int, gear_int and transmission play
  auto frame = [&](int gear, int64_t advanceUs) {
    now_ += advanceUs;
    shared_.gear = gear;
    folder_->clearTrace();
    send(SoundCommand::Frame);
    return trace();
  };
  // Upshift from 1 to 3: taken at once.
  std::srand(77);
  const int spread = std::rand() % 100;
  std::srand(77);
  auto calls = frame(3, 10000);
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"), ElementsAre(2.0f));
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "state"),
              ElementsAre(0.6f + static_cast<float>(spread) / 100.0f * 0.4f));
  EXPECT_THAT(parameterValues(calls, "event:/engine_int", "fluctuation"), ElementsAre(1.0f));
  EXPECT_THAT(parameterValues(calls, "event:/transmission", "fluctuation"), ElementsAre(1.0f));

  // Same gear 0.1 s later: state back to 0, fluctuation fades over its 0.5 s length.
  calls = frame(3, 100000);
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "state"), ElementsAre(0.0f));
  EXPECT_THAT(parameterValues(calls, "event:/engine_int", "fluctuation"), ElementsAre(0.8f));

  // Downshift while still fading: held back, levels halved, then faded.
  calls = frame(2, 100000);
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"), ElementsAre(2.0f));
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "state"), ElementsAre(0.0f));
  EXPECT_THAT(parameterValues(calls, "event:/engine_int", "fluctuation"), ElementsAre(0.2f));
  EXPECT_EQ(server_->previousGear(), 3);

  calls = frame(2, 500000);  // still held back in this frame; the fade reaches 0
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"), ElementsAre(2.0f));
  EXPECT_THAT(parameterValues(calls, "event:/engine_int", "fluctuation"), ElementsAre(0.0f));

  std::srand(5);
  const int downSpread = std::rand() % 100;
  std::srand(5);
  calls = frame(2, 10000);
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "gear"), ElementsAre(1.0f));
  EXPECT_THAT(parameterValues(calls, "event:/gear_int", "state"),
              ElementsAre(0.1f + static_cast<float>(downSpread) / 100.0f * 0.4f));
  EXPECT_EQ(server_->previousGear(), 2);
}

TEST_F(SoundServerTest, WithoutFluctuationLengthEveryGearChangeIsTaken) {
  folder_->writeFullBank("0");
  initAndLoad();
  send(SoundCommand::Start);
  shared_.interiorView = 1;
  for (int gear : {2, 3, 2, 1}) {
    shared_.gear = gear;
    send(SoundCommand::Frame);
    EXPECT_EQ(server_->previousGear(), gear);
    EXPECT_EQ(server_->slot(SoundServer::EngineInt).fluctuationLevel, 0.0f);
  }
}

TEST_F(SoundServerTest, ExhaustPopAndIgnitionRules) {
  struct Case {
    float pop;
    uint32_t engineOff;
    float battery;
    float expectedPop;
    float expectedStartup;
    bool batterySet;
  };
  const Case cases[] = {
      {0.89f, 0, 0, 0.0f, 0, false},  {0.9f, 0, 0, 0.9f, 0, false},
      {1.0f, 0, 12, 1.0f, 0, false},  {0.5f, 1, 12, 0.0f, 1, true},
      {0.5f, 1, 0, 0.0f, 0, false},   {0.5f, 1, -1, 0.0f, 0, false},
  };
  initAndLoad();
  send(SoundCommand::Start);
  shared_.interiorView = 1;  // backfire_int and ignition play
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pop);
    shared_.exhaustPop = c.pop;
    shared_.engineSoundsOff = 0;
    shared_.battery = c.battery;
    send(SoundCommand::Frame);  // un-pause what the engine-off rule paused before
    shared_.engineSoundsOff = c.engineOff;
    folder_->clearTrace();
    send(SoundCommand::Frame);
    const auto calls = trace();
    EXPECT_THAT(parameterValues(calls, "event:/backfire_int", "exhaustpop"), ElementsAre(c.expectedPop));
    EXPECT_THAT(parameterValues(calls, "event:/ignition", "startup"), ElementsAre(c.expectedStartup));
    EXPECT_EQ(parameterValues(calls, "event:/ignition", "battery").size(), c.batterySet ? 1u : 0u);
  }
}

TEST_F(SoundServerTest, PausedFrameStillSetsParametersThenPausesAll) {
  initAndLoad();
  send(SoundCommand::Start);
  shared_.paused = 1;
  shared_.throttle = 0.5f;
  folder_->clearTrace();
  send(SoundCommand::Frame);
  auto calls = trace();
  EXPECT_THAT(parameterValues(calls, "event:/turbo", "throttle"), ElementsAre(0.5f));
  EXPECT_TRUE(callsOf(calls, "Set3DAttributes").empty());
  for (int s = 0; s < SoundServer::SlotCount; ++s) {
    EXPECT_EQ(server_->slot(static_cast<SoundServer::Slot>(s)).paused, 1) << s;
  }
  folder_->clearTrace();
  send(SoundCommand::Frame);
  EXPECT_TRUE(callsOf(trace(), "SetParameterByName").empty());
}

TEST_F(SoundServerTest, ResultWordsGoBackAfterEveryCommandButTheFrame) {
  struct Case {
    uint32_t command;
    bool copied;
  };
  const Case cases[] = {{1, true}, {2, true}, {3, true}, {4, true},  {5, false},
                        {6, true}, {0, false}, {7, false}, {99, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    server_->initFmod();
    send(SoundCommand::Load);
    std::memset(static_cast<void*>(&shared_.results), 0x7F, sizeof(shared_.results));
    shared_.command = c.command;
    const bool quit = server_->serveRequest(reinterpret_cast<uint8_t*>(&shared_));
    EXPECT_EQ(quit, c.command == 6);
    const int32_t expected = c.copied ? (c.command == 3 ? 0 : 1) : 0x7F7F7F7F;
    EXPECT_EQ(shared_.results.turbo, expected);
    server_->stopAll();
    server_->releaseFmod();
  }
}

TEST_F(SoundServerTest, QuietPeriodPausesEverythingOnce) {
  initAndLoad();
  send(SoundCommand::Start);
  send(SoundCommand::Frame);
  folder_->clearTrace();
  server_->onQuietPeriod();
  auto calls = trace();
  EXPECT_EQ(callsOf(calls, "GetPaused").size(), 16u);
  EXPECT_EQ(callsOf(calls, "FMOD_Studio_System_Update").size(), 1u);
  for (const auto& c : callsOf(calls, "SetPaused")) EXPECT_EQ(c.arg("paused"), "1");
  folder_->clearTrace();
  server_->onQuietPeriod();
  EXPECT_TRUE(trace().empty());
  // A request re-arms it; the next frame lets the sounds play again.
  send(SoundCommand::Frame);
  EXPECT_FALSE(callsOf(trace(), "SetPaused").empty());
  folder_->clearTrace();
  server_->onQuietPeriod();
  EXPECT_EQ(callsOf(trace(), "GetPaused").size(), 16u);
}

TEST_F(SoundServerTest, RequestWithoutViewIsAnsweredWithoutWork) {
  initAndLoad();
  EXPECT_FALSE(server_->serveRequest(nullptr));
  EXPECT_TRUE(trace().empty());
}

TEST_F(SoundServerTest, BankNameIsReadAsUtf8AndReachesTheLibraryAsUtf8) {
  const wchar_t wideName[] = L"r\u00e9glage";
  char systemName[64] = {};
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, 0, wideName, -1, systemName, sizeof(systemName), nullptr, &lossy);
  if (n <= 0 || lossy || GetACP() == CP_UTF8) GTEST_SKIP() << "the code page cannot tell the two names apart";
  // The files carry the name in the system code page, as narrow file names do.
  std::string text = "fmodsim bank\n";
  for (const auto& e : kvl::testing::kAllSoundEvents) text += "event " + e + "\n";
  kvl::testing::writeWholeFile(folder_->path() + "\\AudioFMOD\\" + systemName + ".bank", text);
  kvl::testing::writeWholeFile(folder_->path() + "\\AudioFMOD\\" + systemName + ".strings.bank", "fmodsim bank\n");
  const std::string utf8Name = "r\xC3\xA9glage";
  folder_->writeIni("[Car03]\nbankName=" + utf8Name + "\n[Car04]\nbankName=" + systemName + "\n");
  const struct {
    uint32_t car;
    const std::vector<int32_t>& results;
  } cases[] = {{3, kAllLoaded}, {4, kNoneLoaded}};  // car 4's name is not UTF-8
  server_->initFmod();
  for (const auto& c : cases) {
    folder_->clearTrace();
    shared_.carIndex = c.car;
    send(SoundCommand::Load);
    EXPECT_EQ(resultWords(), c.results) << "car " << c.car;
    const auto banks = callsOf(trace(), "LoadBankFile");
    ASSERT_EQ(banks.size(), 2u);
    if (c.car == 3) {
      EXPECT_NE(banks[0].arg("file").find(utf8Name + ".bank"), std::string::npos) << banks[0].line;
    }
    send(SoundCommand::StopUnload);
  }
}

TEST_F(SoundServerTest, CommandsInAnyOrderWithFailuresKeepWordsTrue) {
  // Result word k stands for this slot; after every command that copies the words back, each
  // word is 1 exactly when its instance exists.
  using S = SoundServer;
  const S::Slot wordSlots[16] = {S::EngineInt, S::EngineExt, S::BackfireInt, S::BackfireExt,
                                 S::GearInt,   S::GearExt,   S::Ignition,    S::BlowoffInt,
                                 S::Transmission, S::BlowoffExt, S::Turbo,   S::Wind,
                                 S::Wheel0,    S::Wheel1,    S::Wheel2,      S::Wheel3};
  const char* rules[] = {
      "",
      "FMOD_Studio_EventDescription_CreateInstance:wheel=38",
      "FMOD_Studio_System_LoadBankFile:strings=18",
      "FMOD_Studio_EventInstance_GetPaused=30;FMOD_Studio_Bank_Unload=30",
      "FMOD_Studio_EventInstance_SetPaused=30;FMOD_Studio_EventInstance_Stop=30",
      "FMOD_Studio_System_GetEvent:turbo=null;FMOD_System_GetMasterChannelGroup=null",
  };
  SetEnvironmentVariableA("FMODSIM_TRACE", nullptr);  // thousands of calls: no trace needed
  server_->initFmod();
  ASSERT_NE(server_->studioSystem(), nullptr);
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  int loadsWithInstances = 0;
  for (int i = 0; i < 600; ++i) {
    fail(rules[next() % 6]);
    shared_.interiorView = next() % 2;
    shared_.engineSoundsOff = next() % 3 == 0;
    shared_.paused = next() % 4 == 0;
    shared_.gear = next() % 5 == 0 ? INT32_MIN + static_cast<int32_t>(next() % 3)
                                   : static_cast<int32_t>(next() % 8) - 1;
    shared_.exhaustPop = static_cast<float>(next() % 100) / 50.0f;
    shared_.battery = static_cast<float>(next() % 3);
    now_ += next() % 50000;
    uint32_t command = next() % 8;
    if (command == 6) command = 5;  // quit ends a real loop; it is checked elsewhere
    std::memset(static_cast<void*>(&shared_.results), 0x7F, sizeof(shared_.results));
    shared_.command = command;
    ASSERT_FALSE(server_->serveRequest(reinterpret_cast<uint8_t*>(&shared_)));
    const bool copied = command >= 1 && command <= 4;
    const int32_t* words = &shared_.results.engineInt;
    for (int w = 0; w < 16; ++w) {
      const int32_t expected = copied ? (server_->slot(wordSlots[w]).instance ? 1 : 0) : 0x7F7F7F7F;
      ASSERT_EQ(words[w], expected) << "step " << i << " command " << command << " word " << w;
    }
    loadsWithInstances += command == 1 && words[12] + words[0] > 0;
  }
  fail("");
  EXPECT_GT(loadsWithInstances, 10);
}

}  // namespace
}  // namespace kvl
