#include "plugin/foundation/settings/settings_readers.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"

namespace kvl {

int32_t readForceFeedbackRate() { return limitWorkerRate(FfbRateOption(defaults::ffbRate).read()); }

int32_t readInputRate() { return limitWorkerRate(InputRateOption(defaults::inputRate).read()); }

int32_t readTelemetryTics() { return effectiveTelemetryTics(TelemetryTicsOption(defaults::telemetryTics).read()); }

}  // namespace kvl
