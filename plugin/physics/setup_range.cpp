#include "plugin/physics/setup_range.h"

#include <cmath>
#include <sstream>

namespace kvl::physics {
namespace {
constexpr float kEpsilon = 1.1920929e-7f;  // 2^-23
}

RangeCheck checkRange(float value, float minimum, float maximum) noexcept {
  // Every comparison with a NaN is false: such a value would pass unseen.
  if (std::isnan(value)) return {false, minimum};
  if (minimum == 0.0f && maximum == 0.0f) return value != 0.0f ? RangeCheck{false, 0.0f} : RangeCheck{true, value};
  if (minimum > value) return minimum - value < kEpsilon ? RangeCheck{true, value} : RangeCheck{false, minimum};
  if (value > maximum && value - maximum >= kEpsilon) return {false, maximum};
  return {true, value};
}

std::string setupErrorLine(const std::string& dateTime, const char* name, int index, float value, float minimum,
                           float maximum, float newValue) {
  std::ostringstream line;
  line << dateTime << " setup parameter " << name;
  if (index >= 0) line << "[" << index << "]";
  line << " having value " << value << " is out of range [" << minimum << ".." << maximum << "]"
       << " and has been reset to " << newValue;
  return line.str();
}

}  // namespace kvl::physics
