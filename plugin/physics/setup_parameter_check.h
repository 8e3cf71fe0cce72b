#pragma once
// The range check of one car-setup value: a value out of its range is reset and, when the value
// has a name, a line is appended to "QZR_SetupErrors.log" in the user's temporary folder.
#include <cstdint>
#include <string>

namespace kvl::physics {

constexpr char kSetupErrorLogName[] = "QZR_SetupErrors.log";

// True when the value was left as it was, false when it was reset. index -1 names no index.
bool checkSetupParameter(float* value, float minimum, float maximum, const char* name, std::int32_t index);

// Appends one line (the current local date and time, a blank, then the text) to the log; best
// effort: a missing temporary folder or a file that cannot be opened drops the line.
void appendSetupErrorLine(const std::string& text);

}  // namespace kvl::physics
