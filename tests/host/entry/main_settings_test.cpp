#include <windows.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/foundation/settings/ini_profile.h"
#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/foundation/settings/settings_readers.h"
#include "plugin/host/entry/main_settings.h"
#include "tests/support/scratch_folder.h"

using kvl::testing::ScratchFolder;

namespace {

std::string value(const char* key) {
  char buffer[256] = {};
  const std::string ini = kvl::testing::currentDirectory() + "\\Korvala.ini";
  GetPrivateProfileStringA("QZR", key, "<missing>", buffer, sizeof buffer, ini.c_str());
  return buffer;
}

int keyCount() {
  char buffer[16384] = {};
  const std::string ini = kvl::testing::currentDirectory() + "\\Korvala.ini";
  const DWORD n = GetPrivateProfileStringA("QZR", nullptr, "", buffer, sizeof buffer, ini.c_str());
  int count = 0;
  for (DWORD i = 0; i < n; ++i) {
    if (buffer[i] == '\0') ++count;
  }
  return count;
}

}  // namespace

TEST(MainSettings, EmptyIniGetsEveryKeyWithItsDefault) {
  for (const char* initial : {"", "[QZR]\r\n", "[Settings]\r\nfullscreen=1\r\n"}) {
    SCOPED_TRACE(initial);
    ScratchFolder scratch;
    if (*initial) kvl::testing::writeWholeFile("Korvala.ini", initial);
    kvl::loadMainSettings();
    EXPECT_EQ(keyCount(), 18 + 27);
    struct Expect {
      const char* key;
      const char* value;
    } expected[] = {
        {"fullscreenWindow", "1"}, {"fixAspectRatio", "1"}, {"fixVSync", "1"}, {"vSyncActive", "1"},
        {"headGasketDurability", "1"}, {"centerMenu", "1"}, {"highQualityCubicEnvironmentMaps", "1"},
        {"telemetryRecording", "0"}, {"telemetryTics", "5"}, {"tarmacSkidSoundThreshold", "100"},
        {"skidSoundThreshold", "100"}, {"gearChangeIndicatorDeltaRPM", "200"}, {"udpTelemetry", "0"},
        {"udpTelemetryEndpoints", "127.0.0.1:6776"}, {"inputRate", "1000"}, {"ffbRate", "1000"},
        {"ForceFeedbackSensitivityGravel", "100"}, {"ForceFeedbackSensitivityTarmac", "100"},
        {"ForceFeedbackSensitivitySnow", "100"}, {"ForceFeedbackSensitivityGravel_Car0", "0"},
        {"ForceFeedbackSensitivitySnow_Car7", "0"},
    };
    for (const auto& e : expected) EXPECT_EQ(value(e.key), e.value) << e.key;
    EXPECT_NE(value("ffbDeadZone"), "<missing>");
    EXPECT_NE(value("ffbDeadZoneThreshold"), "<missing>");
  }
}

TEST(MainSettings, PresentKeysAreNeverRewritten) {
  ScratchFolder scratch;
  kvl::testing::writeWholeFile("Korvala.ini",
                          "[QZR]\r\nFULLSCREENWINDOW=0\r\ntelemetryTics=often\r\nforcefeedbacksensitivitysnow=40\r\n");
  kvl::loadMainSettings();
  EXPECT_EQ(value("fullscreenWindow"), "0");
  EXPECT_EQ(value("telemetryTics"), "often");
  EXPECT_EQ(value("ForceFeedbackSensitivitySnow"), "40");
  EXPECT_EQ(value("fixVSync"), "1");
  EXPECT_EQ(keyCount(), 18 + 27);
}

// Every main key of [QZR] in its order, then the 27 force-feedback keys; [Settings] untouched.
TEST(MainSettings, WriteBackFillsAnEmptySectionInOrder) {
  kvl::testing::ScratchFolder scratch;
  kvl::testing::writeWholeFile("Korvala.ini", "[Settings]\r\nXRes=1920\r\n");
  kvl::loadMainSettings();

  std::deque<std::string> keys;
  const kvl::IniProfile korvala("Korvala.ini");
  korvala.keys("QZR", keys);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"fullscreenWindow", "1"},
      {"fixAspectRatio", "1"},
      {"fixVSync", "1"},
      {"vSyncActive", "1"},
      {"headGasketDurability", "1"},
      {"centerMenu", "1"},
      {"ffbDeadZone", "0"},
      {"ffbDeadZoneThreshold", "0"},
      {"highQualityCubicEnvironmentMaps", "1"},
      {"telemetryRecording", "0"},
      {"telemetryTics", "5"},
      {"tarmacSkidSoundThreshold", "100"},
      {"skidSoundThreshold", "100"},
      {"gearChangeIndicatorDeltaRPM", "200"},
      {"udpTelemetry", "0"},
      {"udpTelemetryEndpoints", "127.0.0.1:6776"},
      {"inputRate", "1000"},
      {"ffbRate", "1000"},
      {"ForceFeedbackSensitivityGravel", "100"},
      {"ForceFeedbackSensitivityTarmac", "100"},
      {"ForceFeedbackSensitivitySnow", "100"},
  };
  ASSERT_EQ(keys.size(), 18u + 27u);
  for (std::size_t n = 0; n < expected.size(); ++n) {
    EXPECT_EQ(keys[n], expected[n].first);
    EXPECT_EQ(korvala.get("QZR", expected[n].first, "<none>"), expected[n].second) << expected[n].first;
  }
  EXPECT_EQ(keys[21], "ForceFeedbackSensitivityGravel_Car0");
  EXPECT_EQ(keys[44], "ForceFeedbackSensitivitySnow_Car7");
  for (std::size_t n = 21; n < keys.size(); ++n) EXPECT_EQ(korvala.get("QZR", keys[n], "<none>"), "0") << keys[n];

  std::deque<std::string> settings;
  korvala.keys("Settings", settings);
  EXPECT_EQ(settings, std::deque<std::string>{"XRes"});
  EXPECT_EQ(korvala.get("Settings", "XRes", ""), "1920");
}

TEST(MainSettings, WriteBackKeepsPresentKeysWhateverTheirCaseOrValue) {
  kvl::testing::ScratchFolder scratch;
  kvl::testing::writeWholeFile("Korvala.ini", "[QZR]\r\nFULLSCREENWINDOW=0\r\ngearChangeIndicatorDeltaRPM=abc\r\nffbRate=5000\r\n");
  kvl::loadMainSettings();
  const kvl::IniProfile korvala("Korvala.ini");
  EXPECT_EQ(korvala.get("QZR", "fullscreenWindow", ""), "0");
  EXPECT_EQ(korvala.get("QZR", "gearChangeIndicatorDeltaRPM", ""), "abc");
  EXPECT_EQ(kvl::GearChangeIndicatorDeltaRpmOption(kvl::defaults::gearChangeIndicatorDeltaRpm).read(), 0);
  EXPECT_FALSE(kvl::FullscreenWindowOption(kvl::defaults::fullscreenWindow).read());
  EXPECT_EQ(kvl::readForceFeedbackRate(), 1000);
  std::deque<std::string> keys;
  korvala.keys("QZR", keys);
  EXPECT_EQ(keys.size(), 18u + 27u);
  EXPECT_EQ(keys.front(), "FULLSCREENWINDOW");
}
