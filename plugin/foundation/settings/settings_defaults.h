#pragma once
#include <cstdint>

// The defaults that the readers of each setting pass, and the limits they apply to what they
// read. The option classes carry no defaults of their own.
namespace kvl::defaults {

// Korvala.ini [QZR]
constexpr bool centerMenu = true;
constexpr bool fixAspectRatio = true;
constexpr bool highQualityCubicEnvironmentMaps = true;
constexpr bool fixVSync = true;
constexpr bool fullscreenWindow = true;
constexpr bool vSyncActive = true;
constexpr int32_t headGasketDurability = 1;
constexpr float ffbDeadZone = 0.0f;
constexpr float ffbDeadZoneThreshold = 0.0f;
constexpr int32_t ffbRate = 1000;
constexpr int32_t inputRate = 1000;
constexpr int32_t forceFeedbackSensitivity = 100;      // surface-only keys
constexpr int32_t forceFeedbackSensitivityForCar = 0;  // per-car keys
constexpr int32_t gearChangeIndicatorDeltaRpm = 200;
constexpr bool showRevision = true;
constexpr int32_t skidSoundThreshold = 100;
constexpr int32_t tarmacSkidSoundThreshold = 100;
constexpr bool telemetryRecording = false;
constexpr int32_t telemetryTics = 5;
constexpr bool udpTelemetry = false;
constexpr const char* udpTelemetryEndpoints = "127.0.0.1:6776";
constexpr bool placeholderBool = false;
constexpr const char* placeholderString = "";

// Korvala.ini [Settings]
constexpr bool fullscreen = true;
constexpr int32_t xRes = 1024;
constexpr int32_t yRes = 768;

// AudioFMOD.ini [Settings] and [Car00] to [Car07]
constexpr bool enableFmod = false;
constexpr bool enableLiveUpdate = false;
constexpr uint32_t profilePort = 0;
constexpr const char* bankName = "";
constexpr float masterVolume = 1.0f;
constexpr int audioCarCount = 8;

// Kestrun.ini [Service] and [Car0] ... (Model defaults to the host's built-in car name)
constexpr int32_t mechanics = 4;
constexpr const char* skill = "Competent";
constexpr int32_t allowedRepairTime = 40;
constexpr const char* engine = "1996";
constexpr const char* horsepower = "300 at 5500 rpm";
constexpr const char* torque = "600 Nm at 4000 rpm";
constexpr const char* transmission = "6 gears, 4WD";
constexpr const char* tyres = "Torvik gravel and tarmac rally tyres";
constexpr const char* weight = "1230 kg";

// TrackValidation.ini
constexpr int32_t trackValidation = 2;

// Worker rates (ffbRate, inputRate) are limited to 0..1000 ticks per second.
constexpr int32_t maximumWorkerRate = 1000;

}  // namespace kvl::defaults

namespace kvl {

// A worker rate as read, raised to 0 when negative and lowered to 1000 when above.
constexpr int32_t limitWorkerRate(int32_t rate) {
  return rate < 0 ? 0 : (rate > defaults::maximumWorkerRate ? defaults::maximumWorkerRate : rate);
}

// The telemetry step divisor as read; a value below 1 gives 5.
constexpr int32_t effectiveTelemetryTics(int32_t tics) { return tics < 1 ? defaults::telemetryTics : tics; }

}  // namespace kvl
