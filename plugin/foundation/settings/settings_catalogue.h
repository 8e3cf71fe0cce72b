#pragma once
#include <cstdint>
#include <string>

#include "plugin/foundation/settings/option_families.h"

// One class per settings key. A key class fixes the key and, where it is fixed, the section;
// the default is always the caller's (settings_defaults.h lists the usual ones).
namespace kvl {

// Korvala.ini, section "QZR": the plugin's own settings.
class CenterMenuOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit CenterMenuOption(bool value) : KorvalaIniOption<BoolOption>("centerMenu", "QZR", value) {}
};
class FixAspectRatioOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit FixAspectRatioOption(bool value) : KorvalaIniOption<BoolOption>("fixAspectRatio", "QZR", value) {}
};
class HighQualityCubicEnvironmentMapsOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit HighQualityCubicEnvironmentMapsOption(bool value)
      : KorvalaIniOption<BoolOption>("highQualityCubicEnvironmentMaps", "QZR", value) {}
};
class FixVSyncOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit FixVSyncOption(bool value) : KorvalaIniOption<BoolOption>("fixVSync", "QZR", value) {}
};
class FullscreenWindowOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit FullscreenWindowOption(bool value) : KorvalaIniOption<BoolOption>("fullscreenWindow", "QZR", value) {}
};
class VSyncActiveOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit VSyncActiveOption(bool value) : KorvalaIniOption<BoolOption>("vSyncActive", "QZR", value) {}
};
class HeadGasketDurabilityOption : public KorvalaIniOption<IntOption> {
 public:
  explicit HeadGasketDurabilityOption(int32_t value)
      : KorvalaIniOption<IntOption>("headGasketDurability", "QZR", value) {}
};
class FfbDeadZoneOption : public KorvalaIniOption<FloatOption> {
 public:
  explicit FfbDeadZoneOption(float value) : KorvalaIniOption<FloatOption>("ffbDeadZone", "QZR", value) {}
};
class FfbDeadZoneThresholdOption : public KorvalaIniOption<FloatOption> {
 public:
  explicit FfbDeadZoneThresholdOption(float value)
      : KorvalaIniOption<FloatOption>("ffbDeadZoneThreshold", "QZR", value) {}
};
class FfbRateOption : public KorvalaIniOption<IntOption> {
 public:
  explicit FfbRateOption(int32_t value) : KorvalaIniOption<IntOption>("ffbRate", "QZR", value) {}
};
class InputRateOption : public KorvalaIniOption<IntOption> {
 public:
  explicit InputRateOption(int32_t value) : KorvalaIniOption<IntOption>("inputRate", "QZR", value) {}
};
class GearChangeIndicatorDeltaRpmOption : public KorvalaIniOption<IntOption> {
 public:
  explicit GearChangeIndicatorDeltaRpmOption(int32_t value)
      : KorvalaIniOption<IntOption>("gearChangeIndicatorDeltaRPM", "QZR", value) {}
};
class ShowRevisionOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit ShowRevisionOption(bool value) : KorvalaIniOption<BoolOption>("showRevision", "QZR", value) {}
};
class SkidSoundThresholdOption : public KorvalaIniOption<IntOption> {
 public:
  explicit SkidSoundThresholdOption(int32_t value) : KorvalaIniOption<IntOption>("skidSoundThreshold", "QZR", value) {}
};
class TarmacSkidSoundThresholdOption : public KorvalaIniOption<IntOption> {
 public:
  explicit TarmacSkidSoundThresholdOption(int32_t value)
      : KorvalaIniOption<IntOption>("tarmacSkidSoundThreshold", "QZR", value) {}
};
class TelemetryRecordingOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit TelemetryRecordingOption(bool value) : KorvalaIniOption<BoolOption>("telemetryRecording", "QZR", value) {}
};
class TelemetryTicsOption : public KorvalaIniOption<IntOption> {
 public:
  explicit TelemetryTicsOption(int32_t value) : KorvalaIniOption<IntOption>("telemetryTics", "QZR", value) {}
};
class UdpTelemetryOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit UdpTelemetryOption(bool value) : KorvalaIniOption<BoolOption>("udpTelemetry", "QZR", value) {}
};
class UdpTelemetryEndpointsOption : public KorvalaIniOption<StringOption> {
 public:
  explicit UdpTelemetryEndpointsOption(const std::string& value)
      : KorvalaIniOption<StringOption>("udpTelemetryEndpoints", "QZR", value) {}
};
class PlaceholderBoolOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit PlaceholderBoolOption(bool value) : KorvalaIniOption<BoolOption>("XXX", "QZR", value) {}
};
class PlaceholderStringOption : public KorvalaIniOption<StringOption> {
 public:
  explicit PlaceholderStringOption(const std::string& value) : KorvalaIniOption<StringOption>("XXX", "QZR", value) {}
};

// Korvala.ini, section "Settings": the host's own keys, only read.
class FullscreenOption : public KorvalaIniOption<BoolOption> {
 public:
  explicit FullscreenOption(bool value) : KorvalaIniOption<BoolOption>("Fullscreen", "Settings", value) {}
};
class XResOption : public KorvalaIniOption<IntOption> {
 public:
  explicit XResOption(int32_t value) : KorvalaIniOption<IntOption>("XRes", "Settings", value) {}
};
class YResOption : public KorvalaIniOption<IntOption> {
 public:
  explicit YResOption(int32_t value) : KorvalaIniOption<IntOption>("YRes", "Settings", value) {}
};

// AudioFMOD.ini, section "Settings"; the sound daemon reads the same keys.
class EnableFmodOption : public AudioFmodOption<BoolOption> {
 public:
  explicit EnableFmodOption(bool value) : AudioFmodOption<BoolOption>("enableFMOD", "Settings", value) {}
};
class EnableLiveUpdateOption : public AudioFmodOption<BoolOption> {
 public:
  explicit EnableLiveUpdateOption(bool value) : AudioFmodOption<BoolOption>("enableLiveUpdate", "Settings", value) {}
};
class ProfilePortOption : public AudioFmodOption<UnsignedOption> {
 public:
  explicit ProfilePortOption(uint32_t value) : AudioFmodOption<UnsignedOption>("profilePort", "Settings", value) {}
};

// Kestrun.ini, section "Service": the Kestrun event's service rules, only read.
class MechanicsOption : public KestrunOption<IntOption> {
 public:
  explicit MechanicsOption(int32_t value) : KestrunOption<IntOption>("Mechanics", "Service", value) {}
};
class SkillOption : public KestrunOption<StringOption> {
 public:
  explicit SkillOption(const std::string& value) : KestrunOption<StringOption>("Skill", "Service", value) {}
};
class AllowedRepairTimeOption : public KestrunOption<IntOption> {
 public:
  explicit AllowedRepairTimeOption(int32_t value) : KestrunOption<IntOption>("AllowedRepairTime", "Service", value) {}
};

// AudioFMOD.ini, sections Car00 to Car07 by car index.
class BankNameOption : public AudioFmodCarOption<StringOption> {
 public:
  BankNameOption(int carIndex, const std::string& value)
      : AudioFmodCarOption<StringOption>("bankName", carIndex, value) {}
};
class MasterVolumeOption : public AudioFmodCarOption<FloatOption> {
 public:
  MasterVolumeOption(int carIndex, float value) : AudioFmodCarOption<FloatOption>("masterVolume", carIndex, value) {}
};

// Kestrun.ini, sections Car0 to Car7 by car index: car information texts, only read.
class EngineOption : public CarDescription {
 public:
  EngineOption(int carIndex, const std::string& value) : CarDescription("Engine", carIndex, value) {}
};
class HorsepowerOption : public CarDescription {
 public:
  HorsepowerOption(int carIndex, const std::string& value) : CarDescription("Horsepower", carIndex, value) {}
};
class ModelOption : public CarDescription {
 public:
  ModelOption(int carIndex, const std::string& value) : CarDescription("Model", carIndex, value) {}
};
class TorqueOption : public CarDescription {
 public:
  TorqueOption(int carIndex, const std::string& value) : CarDescription("Torque", carIndex, value) {}
};
class TransmissionOption : public CarDescription {
 public:
  TransmissionOption(int carIndex, const std::string& value) : CarDescription("Transmission", carIndex, value) {}
};
class TyresOption : public CarDescription {
 public:
  TyresOption(int carIndex, const std::string& value) : CarDescription("Tyres", carIndex, value) {}
};
class WeightOption : public CarDescription {
 public:
  WeightOption(int carIndex, const std::string& value) : CarDescription("Weight", carIndex, value) {}
};

// Cars.ini, sections Car00 to Car07 by car index: the host's car list, only read.
class CarNameOption : public CarListOption {
 public:
  CarNameOption(int carIndex, const std::string& value) : CarListOption("CarName", carIndex, value) {}
};

// Korvala.ini, section "QZR": force-feedback strength in percent per surface (0 Gravel,
// 1 Tarmac, 2 Snow, any other number Gravel), optionally per car. The surface-only keys start at
// 100, the per-car keys at 0.
class ForceFeedbackSensitivityOption : public KorvalaIniOption<IntOption> {
 public:
  explicit ForceFeedbackSensitivityOption(int surface)
      : KorvalaIniOption<IntOption>(forceFeedbackSensitivityKey(surface), "QZR", 100) {}
  ForceFeedbackSensitivityOption(int surface, int carNumber)
      : KorvalaIniOption<IntOption>(forceFeedbackSensitivityKey(surface, carNumber), "QZR", 0) {}
};

// TrackValidation.ini, section "Map" and the two-digit map number; the key is composed by the
// caller.
class TrackValidationOption : public TrackValidationIniOption {
 public:
  TrackValidationOption(int mapNumber, const std::string& key, int32_t value)
      : TrackValidationIniOption(key, mapSection(mapNumber), value) {}
};

}  // namespace kvl
