#pragma once
#include <cstdint>

// Readers of the settings whose value is limited after reading.
namespace kvl {

// ffbRate with default 1000, limited to 0..1000 ticks per second.
int32_t readForceFeedbackRate();
// inputRate with default 1000, limited to 0..1000 ticks per second.
int32_t readInputRate();
// telemetryTics with default 5; a value below 1 gives 5.
int32_t readTelemetryTics();

}  // namespace kvl
