#include "plugin/foundation/settings/settings_catalogue.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugin/foundation/files/module_path.h"
#include "plugin/foundation/settings/ini_profile.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/foundation/settings/settings_readers.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace d = kvl::defaults;
using kvl::testing::ScratchFolder;
using kvl::testing::writeWholeFile;

struct Expected {
  std::unique_ptr<kvl::IniOption> option;
  const char* key;
  const char* section;
  std::string file;
};

template <typename T>
Expected entry(T* option, const char* key, const char* section, const std::string& file) {
  return Expected{std::unique_ptr<kvl::IniOption>(option), key, section, file};
}

TEST(SettingsCatalogue, EveryKeyClassNamesItsFileSectionAndKey) {
  ScratchFolder scratch;
  const std::string here = scratch.path();
  const std::string korvala = here + "\\Korvala.ini";
  const std::string audio = here + "\\AudioFMOD\\AudioFMOD.ini";
  const std::string kestrun = kvl::io::directoryOf(kvl::io::modulePath().c_str()) + "\\Plugins\\Kestrun\\Kestrun.ini";
  const std::string cars = here + "\\Cars\\Cars.ini";
  const std::string validation = here + "\\Maps\\TrackValidation.ini";

  std::vector<Expected> table;
  table.push_back(entry(new kvl::CenterMenuOption(d::centerMenu), "centerMenu", "QZR", korvala));
  table.push_back(entry(new kvl::FixAspectRatioOption(true), "fixAspectRatio", "QZR", korvala));
  table.push_back(
      entry(new kvl::HighQualityCubicEnvironmentMapsOption(true), "highQualityCubicEnvironmentMaps", "QZR", korvala));
  table.push_back(entry(new kvl::FixVSyncOption(true), "fixVSync", "QZR", korvala));
  table.push_back(entry(new kvl::FullscreenWindowOption(true), "fullscreenWindow", "QZR", korvala));
  table.push_back(entry(new kvl::VSyncActiveOption(true), "vSyncActive", "QZR", korvala));
  table.push_back(entry(new kvl::HeadGasketDurabilityOption(1), "headGasketDurability", "QZR", korvala));
  table.push_back(entry(new kvl::FfbDeadZoneOption(0), "ffbDeadZone", "QZR", korvala));
  table.push_back(entry(new kvl::FfbDeadZoneThresholdOption(0), "ffbDeadZoneThreshold", "QZR", korvala));
  table.push_back(entry(new kvl::FfbRateOption(1000), "ffbRate", "QZR", korvala));
  table.push_back(entry(new kvl::InputRateOption(1000), "inputRate", "QZR", korvala));
  table.push_back(
      entry(new kvl::GearChangeIndicatorDeltaRpmOption(200), "gearChangeIndicatorDeltaRPM", "QZR", korvala));
  table.push_back(entry(new kvl::ShowRevisionOption(true), "showRevision", "QZR", korvala));
  table.push_back(entry(new kvl::SkidSoundThresholdOption(100), "skidSoundThreshold", "QZR", korvala));
  table.push_back(entry(new kvl::TarmacSkidSoundThresholdOption(100), "tarmacSkidSoundThreshold", "QZR", korvala));
  table.push_back(entry(new kvl::TelemetryRecordingOption(false), "telemetryRecording", "QZR", korvala));
  table.push_back(entry(new kvl::TelemetryTicsOption(5), "telemetryTics", "QZR", korvala));
  table.push_back(entry(new kvl::UdpTelemetryOption(false), "udpTelemetry", "QZR", korvala));
  table.push_back(
      entry(new kvl::UdpTelemetryEndpointsOption(d::udpTelemetryEndpoints), "udpTelemetryEndpoints", "QZR", korvala));
  table.push_back(entry(new kvl::PlaceholderBoolOption(false), "XXX", "QZR", korvala));
  table.push_back(entry(new kvl::PlaceholderStringOption(""), "XXX", "QZR", korvala));
  table.push_back(entry(new kvl::ForceFeedbackSensitivityOption(1), "ForceFeedbackSensitivityTarmac", "QZR", korvala));
  table.push_back(
      entry(new kvl::ForceFeedbackSensitivityOption(0, 3), "ForceFeedbackSensitivityGravel_Car3", "QZR", korvala));
  table.push_back(entry(new kvl::FullscreenOption(true), "Fullscreen", "Settings", korvala));
  table.push_back(entry(new kvl::XResOption(1024), "XRes", "Settings", korvala));
  table.push_back(entry(new kvl::YResOption(768), "YRes", "Settings", korvala));
  table.push_back(entry(new kvl::EnableFmodOption(false), "enableFMOD", "Settings", audio));
  table.push_back(entry(new kvl::EnableLiveUpdateOption(false), "enableLiveUpdate", "Settings", audio));
  table.push_back(entry(new kvl::ProfilePortOption(0), "profilePort", "Settings", audio));
  table.push_back(entry(new kvl::BankNameOption(3, ""), "bankName", "Car03", audio));
  table.push_back(entry(new kvl::MasterVolumeOption(0, 1.0f), "masterVolume", "Car00", audio));
  table.push_back(entry(new kvl::MechanicsOption(4), "Mechanics", "Service", kestrun));
  table.push_back(entry(new kvl::SkillOption(d::skill), "Skill", "Service", kestrun));
  table.push_back(entry(new kvl::AllowedRepairTimeOption(40), "AllowedRepairTime", "Service", kestrun));
  table.push_back(entry(new kvl::EngineOption(3, d::engine), "Engine", "Car3", kestrun));
  table.push_back(entry(new kvl::HorsepowerOption(0, d::horsepower), "Horsepower", "Car0", kestrun));
  table.push_back(entry(new kvl::ModelOption(7, "model"), "Model", "Car7", kestrun));
  table.push_back(entry(new kvl::TorqueOption(1, d::torque), "Torque", "Car1", kestrun));
  table.push_back(entry(new kvl::TransmissionOption(1, d::transmission), "Transmission", "Car1", kestrun));
  table.push_back(entry(new kvl::TyresOption(1, d::tyres), "Tyres", "Car1", kestrun));
  table.push_back(entry(new kvl::WeightOption(1, d::weight), "Weight", "Car1", kestrun));
  table.push_back(entry(new kvl::CarNameOption(3, ""), "CarName", "Car03", cars));
  table.push_back(entry(new kvl::TrackValidationOption(5, "gravel/wet", 2), "gravel/wet", "Map05", validation));
  table.push_back(entry(new kvl::TrackValidationOption(41, "a/b", 2), "a/b", "Map41", validation));

  for (const Expected& e : table) {
    EXPECT_EQ(e.option->key(), e.key);
    EXPECT_EQ(e.option->section(), e.section) << e.key;
    EXPECT_EQ(e.option->iniFile(), e.file) << e.key;
  }
}

TEST(SettingsCatalogue, MissingFilesGiveTheReadersDefaults) {
  ScratchFolder scratch;
  EXPECT_EQ(kvl::SkillOption(d::skill).read(), "Competent");
  EXPECT_EQ(kvl::MechanicsOption(d::mechanics).read(), 4);
  EXPECT_EQ(kvl::AllowedRepairTimeOption(d::allowedRepairTime).read(), 40);
  EXPECT_EQ(kvl::WeightOption(2, d::weight).read(), "1230 kg");
  EXPECT_EQ(kvl::UdpTelemetryEndpointsOption(d::udpTelemetryEndpoints).read(), "127.0.0.1:6776");
  EXPECT_EQ(kvl::MasterVolumeOption(5, d::masterVolume).read(), 1.0f);
  EXPECT_EQ(kvl::XResOption(d::xRes).read(), 1024);
  EXPECT_EQ(kvl::ForceFeedbackSensitivityOption(2).read(), 100);
  EXPECT_EQ(kvl::ForceFeedbackSensitivityOption(2, 7).read(), 0);
  EXPECT_EQ(kvl::TrackValidationOption(3, "x/y", d::trackValidation).read(), 2);
  EXPECT_EQ(kvl::readForceFeedbackRate(), 1000);
  EXPECT_EQ(kvl::readInputRate(), 1000);
  EXPECT_EQ(kvl::readTelemetryTics(), 5);
  EXPECT_EQ(kvl::telemetryIniPath(), "Plugins/QZR/telemetry.ini");
}

TEST(SettingsCatalogue, LimitedReaders) {
  ScratchFolder scratch;
  const struct {
    const char* ffbRate;
    const char* inputRate;
    const char* tics;
    int32_t ffb;
    int32_t input;
    int32_t ticsRead;
  } cases[] = {
      {"5000", "-3", "0", 1000, 0, 5},
      {"720", "1000", "-1", 720, 1000, 5},
      {"abc", "1001", "7", 0, 1000, 7},
      {"", "99999999999", "1", 0, 1000, 1},
  };
  for (const auto& c : cases) {
    writeWholeFile("Korvala.ini", std::string("[QZR]\r\nffbRate=") + c.ffbRate + "\r\ninputRate=" + c.inputRate +
                                 "\r\ntelemetryTics=" + c.tics + "\r\n");
    EXPECT_EQ(kvl::readForceFeedbackRate(), c.ffb) << c.ffbRate;
    EXPECT_EQ(kvl::readInputRate(), c.input) << c.inputRate;
    EXPECT_EQ(kvl::readTelemetryTics(), c.ticsRead) << c.tics;
  }
}

TEST(SettingsCatalogue, PlaceholderKeyIsOneEntryReadTwoWays) {
  ScratchFolder scratch;
  writeWholeFile("Korvala.ini", "[QZR]\r\nxxx= 1 \r\n");
  EXPECT_TRUE(kvl::PlaceholderBoolOption(d::placeholderBool).read());
  EXPECT_EQ(kvl::PlaceholderStringOption(d::placeholderString).read(), "1");
  writeWholeFile("Korvala.ini", "[QZR]\r\n");
  EXPECT_FALSE(kvl::PlaceholderBoolOption(d::placeholderBool).read());
  EXPECT_EQ(kvl::PlaceholderStringOption(d::placeholderString).read(), "");
}

TEST(SettingsCatalogue, StatusToggleWritesDigitsNotWords) {
  ScratchFolder scratch;
  writeWholeFile("Korvala.ini", "[QZR]\r\ntelemetryRecording=true\r\nudpTelemetry=FALSE\r\n");
  for (int round = 0; round < 2; ++round) {
    kvl::TelemetryRecordingOption recording(d::telemetryRecording);
    recording.save(!recording.read());
    kvl::UdpTelemetryOption udp(d::udpTelemetry);
    udp.save(!udp.read());
  }
  const kvl::IniProfile korvala("Korvala.ini");
  EXPECT_EQ(korvala.get("QZR", "telemetryRecording", ""), "1");
  EXPECT_EQ(korvala.get("QZR", "udpTelemetry", ""), "0");
}

TEST(SettingsCatalogue, NumberedSectionsLandInTheirFiles) {
  ScratchFolder scratch;
  kvl::testing::makeFolder("AudioFMOD");
  kvl::testing::makeFolder("Maps");
  for (int car = 0; car < d::audioCarCount; ++car) {
    kvl::BankNameOption bank(car, d::bankName);
    kvl::MasterVolumeOption volume(car, d::masterVolume);
    kvl::saveIfMissing(bank);
    kvl::saveIfMissing(volume);
  }
  kvl::TrackValidationOption(5, "tarmac/dry", d::trackValidation).save(1);
  const kvl::IniProfile audio("AudioFMOD/AudioFMOD.ini");
  std::deque<std::string> sections;
  audio.sections(sections);
  EXPECT_EQ(sections,
            (std::deque<std::string>{"Car00", "Car01", "Car02", "Car03", "Car04", "Car05", "Car06", "Car07"}));
  EXPECT_EQ(audio.get("Car03", "masterVolume", ""), "1");
  EXPECT_TRUE(kvl::BankNameOption(3, "x").isPresent());
  EXPECT_EQ(kvl::BankNameOption(3, "x").read(), "");
  EXPECT_EQ(kvl::IniProfile("Maps/TrackValidation.ini").get("Map05", "tarmac/dry", ""), "1");
  EXPECT_EQ(kvl::TrackValidationOption(5, "tarmac/dry", 2).read(), 1);
}

}  // namespace
