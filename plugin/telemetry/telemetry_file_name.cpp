#include "plugin/telemetry/telemetry_file_name.h"

#include "plugin/tracks/file_name_sanitizer.h"

namespace kvl {

std::string telemetryFileName(const std::string& recordSet, std::int32_t carIndex, const std::string& carName,
                              std::int32_t stage, const std::string& localDateTime) {
  tracks::FileNameSanitizer sanitizer;
  sanitizer.setReplacement('_');
  return std::string(kTelemetryFolder) + "/telemetry-" + sanitizer.sanitize(recordSet) + "-Car_" +
         std::to_string(carIndex) + "-" + sanitizer.sanitize(carName) + "-Stage_" + std::to_string(stage) + "-" +
         sanitizer.sanitize(localDateTime) + ".tsv";
}

std::string uniqueTelemetryFileName(const std::string& name, const std::function<bool(const std::string&)>& taken) {
  if (!taken(name)) return name;
  const std::string stem = name.substr(0, name.size() - 4);
  for (int n = 2;; ++n) {
    std::string candidate = stem + "-" + std::to_string(n) + ".tsv";
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace kvl
