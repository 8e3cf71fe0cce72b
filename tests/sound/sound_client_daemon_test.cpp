// The sound client against a stand-in daemon that it starts as the real one (32-bit host layout
// on the host stand-in): a reply written over the whole block gives the client only its 64
// result bytes, and a daemon that ends while a command waits for its reply leaves the caller
// free, the results cleared and the host's own sound levels back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/daemon/daemon_executable_path.h"
#include "common/sound/sound_record.h"
#include "plugin/host/events/event_records.h"
#include "plugin/sound/sound_client.h"
#include "tests/support/host_fixture.h"
#include "tests/support/program_folder.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/work_dir.h"

namespace {

// Puts the stand-in where the client looks for its daemon, below this program's folder.
bool placeStandIn() {
  const std::string daemon = kvl::daemonExecutablePath("QzrFmodDaemon.exe");
  for (auto at = kvl::testing::programFolder().size() + 1; (at = daemon.find('\\', at)) != std::string::npos; ++at) {
    CreateDirectoryA(daemon.substr(0, at).c_str(), nullptr);
  }
  return CopyFileA((kvl::testing::programFolder() + "\\sound_daemon_stand_in.exe").c_str(), daemon.c_str(), FALSE) != 0;
}

void enterState(std::vector<unsigned char>& game, std::int32_t current, std::int32_t next) {
  std::memcpy(game.data() + 1832, &current, 4);
  kvl::host::GameStateEvent event;
  event.state = next;
  kvl::SoundClient::instance().onGameState(&event);
}

}  // namespace

TEST(SoundClientDaemon, OversizeReplyThenADaemonGoneMidCommand) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  kvl::testing::ScratchFolder scratch;
  ASSERT_TRUE(placeStandIn());
  CreateDirectoryA("AudioFMOD", nullptr);
  kvl::testing::writeWholeFile("AudioFMOD\\AudioFMOD.ini", "[Settings]\r\nenableFMOD=1\r\n");
  // The host's game object (state at +1832, car at +1844) and audio object (28 levels at +67336).
  std::vector<unsigned char> game(3312, 0);
  const std::int32_t car = 5;
  std::memcpy(game.data() + 1844, &car, 4);
  std::vector<unsigned char> audio(67336 + 28 * 4, 0);
  float levels[28];
  for (int k = 0; k < 28; ++k) levels[k] = 0.5f + 0.01f * static_cast<float>(k);
  std::memcpy(audio.data() + 67336, levels, sizeof levels);
  host.setGlobal(0x7EAC48, game.data());
  host.setGlobal(0x8D5338, audio.data());
  auto level = [&](int k) {
    float v;
    std::memcpy(&v, audio.data() + 67336 + 4 * k, 4);
    return v;
  };

  kvl::SoundClient& client = kvl::SoundClient::instance();
  enterState(game, 0, 0);   // INIT: the daemon starts
  ASSERT_TRUE(client.isActive());
  enterState(game, 5, 13);  // LOADING: the client takes the audio object

  client.loadCarSounds();
  kvl::SoundRecord expected;
  expected.command = 1;
  expected.carIndex = car;
  expected.results.engineInt = 1;
  expected.results.gearInt = 1;
  expected.results.turbo = 1;
  const kvl::SoundRecord loaded = client.record();
  EXPECT_EQ(std::memcmp(&loaded, &expected, sizeof loaded), 0) << "only the 64 result bytes come back";

  enterState(game, 10, 1);  // GAME: the daemon's engine, turbo and gear sounds replace the host's
  for (int k : {0, 13, 3}) EXPECT_FLOAT_EQ(level(k), 0.003f) << k;
  EXPECT_FLOAT_EQ(kvl::gearSoundGate, 1.0f);

  client.stopSounds();  // the stand-in ends without replying
  EXPECT_TRUE(kvl::testing::exists("ended mid-command"));
  EXPECT_FALSE(client.isActive());
  EXPECT_TRUE(client.started());
  const kvl::SoundRecord lost = client.record();
  const kvl::SoundRecord fresh;
  EXPECT_EQ(std::memcmp(&lost.results, &fresh.results, sizeof lost.results), 0);
  for (int k = 0; k < 28; ++k) EXPECT_FLOAT_EQ(level(k), levels[k]) << k;
  EXPECT_FLOAT_EQ(kvl::gearSoundGate, 0.001f);
  EXPECT_FLOAT_EQ(kvl::gearSoundLevel, 0.9f);

  // Every later command returns at once, the quit at shutdown too.
  client.setPaused(true);
  client.onShutdown(nullptr);
  EXPECT_EQ(client.record().command, 6u);

  host.setGlobal(0x7EAC48, nullptr);
  host.setGlobal(0x8D5338, nullptr);
  kvl::testing::removeTree(kvl::testing::programFolder() + "\\Plugins");
}
