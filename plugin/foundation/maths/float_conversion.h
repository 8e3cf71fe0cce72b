#pragma once
#include <cmath>
#include <limits>
#include <type_traits>

namespace kvl {

// Truncates a floating-point value towards zero into an integer type with a defined result for
// every input: NaN gives 0, values beyond the type's range give its smallest or largest value.
template <class Int, class Float>
Int truncateToInteger(Float value) {
  static_assert(std::is_integral<Int>::value && std::is_floating_point<Float>::value, "integer from float");
  if (std::isnan(value)) return 0;
  // The bounds are 0 or -2^digits and 2^digits - 1; both powers of two are exact in a double.
  const double v = static_cast<double>(value);
  const double high = std::ldexp(1.0, std::numeric_limits<Int>::digits);
  const double low = std::numeric_limits<Int>::is_signed ? -high : 0.0;
  if (v <= low) return std::numeric_limits<Int>::min();
  if (v >= high) return std::numeric_limits<Int>::max();
  return static_cast<Int>(v);
}

}  // namespace kvl
