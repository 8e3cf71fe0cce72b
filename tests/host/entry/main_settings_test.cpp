#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "plugin/host/entry/main_settings.h"
#include "tests/foundation/files/scratch_folder.h"

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
    if (*initial) kvl::testing::writeFile("Korvala.ini", initial);
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
  kvl::testing::writeFile("Korvala.ini",
                          "[QZR]\r\nFULLSCREENWINDOW=0\r\ntelemetryTics=often\r\nforcefeedbacksensitivitysnow=40\r\n");
  kvl::loadMainSettings();
  EXPECT_EQ(value("fullscreenWindow"), "0");
  EXPECT_EQ(value("telemetryTics"), "often");
  EXPECT_EQ(value("ForceFeedbackSensitivitySnow"), "40");
  EXPECT_EQ(value("fixVSync"), "1");
  EXPECT_EQ(keyCount(), 18 + 27);
}
