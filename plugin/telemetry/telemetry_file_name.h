#pragma once
// The name of a telemetry recording file:
// "Plugins/QZR/telemetry/telemetry-<set>-Car_<n>-<car name>-Stage_<n>-<local date and time>.tsv",
// with the set, the car name and the time made safe for a file name.
#include <cstdint>
#include <functional>
#include <string>

namespace kvl {

constexpr const char* kTelemetryFolder = "Plugins/QZR/telemetry";

std::string telemetryFileName(const std::string& recordSet, std::int32_t carIndex, const std::string& carName,
                              std::int32_t stage, const std::string& localDateTime);

// The name itself when it is free, else the first free of "<stem>-2.tsv", "<stem>-3.tsv" ...
std::string uniqueTelemetryFileName(const std::string& name, const std::function<bool(const std::string&)>& taken);

}  // namespace kvl
