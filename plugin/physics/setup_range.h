#pragma once
// The range rule of a car-setup value and the line that reports a reset value.
#include <string>

namespace kvl::physics {

struct RangeCheck {
  bool unchanged;  // the value passed as it was
  float value;     // the value to store when it did not
};

// A value outside [minimum, maximum] by at least 2^-23 goes to the nearer bound, any non-zero
// value to 0 when both bounds are 0, and a value that is not a number to the minimum.
RangeCheck checkRange(float value, float minimum, float maximum) noexcept;

// "<dateTime> setup parameter <name>[<index>] having value <v> is out of range [<min>..<max>]
// and has been reset to <new>", the index only when it is 0 or more; no line end.
std::string setupErrorLine(const std::string& dateTime, const char* name, int index, float value, float minimum,
                           float maximum, float newValue);

}  // namespace kvl::physics
