#include "plugin/host/entry/main_settings.h"

#include <string>

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"

namespace kvl {
namespace {

template <typename... Options>
void saveEachIfMissing(Options&... options) {
  (saveIfMissing(options), ...);
}

}  // namespace

void loadMainSettings() {
  {
    FullscreenWindowOption fullscreenWindow(defaults::fullscreenWindow);
    FixAspectRatioOption fixAspectRatio(defaults::fixAspectRatio);
    FixVSyncOption fixVSync(defaults::fixVSync);
    VSyncActiveOption vSyncActive(defaults::vSyncActive);
    HeadGasketDurabilityOption headGasketDurability(defaults::headGasketDurability);
    CenterMenuOption centerMenu(defaults::centerMenu);
    FfbDeadZoneOption ffbDeadZone(defaults::ffbDeadZone);
    FfbDeadZoneThresholdOption ffbDeadZoneThreshold(defaults::ffbDeadZoneThreshold);
    HighQualityCubicEnvironmentMapsOption environmentMaps(defaults::highQualityCubicEnvironmentMaps);
    saveEachIfMissing(fullscreenWindow, fixAspectRatio, fixVSync, vSyncActive, headGasketDurability,
                      centerMenu, ffbDeadZone, ffbDeadZoneThreshold, environmentMaps);
  }
  {
    TelemetryRecordingOption telemetryRecording(defaults::telemetryRecording);
    TelemetryTicsOption telemetryTics(defaults::telemetryTics);
    TarmacSkidSoundThresholdOption tarmacSkid(defaults::tarmacSkidSoundThreshold);
    SkidSoundThresholdOption skid(defaults::skidSoundThreshold);
    GearChangeIndicatorDeltaRpmOption gearDelta(defaults::gearChangeIndicatorDeltaRpm);
    UdpTelemetryOption udpTelemetry(defaults::udpTelemetry);
    UdpTelemetryEndpointsOption endpoints(defaults::udpTelemetryEndpoints);
    InputRateOption inputRate(defaults::inputRate);
    FfbRateOption ffbRate(defaults::ffbRate);
    saveEachIfMissing(telemetryRecording, telemetryTics, tarmacSkid, skid, gearDelta, udpTelemetry,
                      endpoints, inputRate, ffbRate);
  }
  // Force-feedback sensitivities: the three surface keys, then the same per car 0 to 7.
  for (int car = -1; car < 8; ++car) {
    for (int surface = 0; surface < 3; ++surface) {
      if (car < 0) {
        ForceFeedbackSensitivityOption option(surface);
        saveIfMissing(option);
      } else {
        ForceFeedbackSensitivityOption option(surface, car);
        saveIfMissing(option);
      }
    }
  }
}

}  // namespace kvl
