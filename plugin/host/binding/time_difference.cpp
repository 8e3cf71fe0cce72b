#include "plugin/host/binding/time_difference.h"

#include <cstdint>
#include <limits>

namespace kvl::host {
namespace {

// Truncation toward zero to 32 bits; values outside the range (and NaN) saturate instead of
// being undefined.
std::int64_t thousandths(float x) noexcept {
  const float product = -1000.0f * x;
  if (!(product == product)) return 0;
  if (product >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (product <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(product);
}

}  // namespace

float thousandthsDifference(float a, float b) noexcept {
  return static_cast<float>(thousandths(b) - thousandths(a)) / 1000.0f;
}

}  // namespace kvl::host
