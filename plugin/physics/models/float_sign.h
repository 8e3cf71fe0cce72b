#pragma once
#include <cmath>

namespace kvl::physics {

// True when the float's sign bit is set (so -0.0 counts as negative).
inline bool signBit(float x) { return std::signbit(x); }

// -1 when the sign bit is set, else +1: the sign the host's physics code uses for a direction.
inline int signOf(float x) { return signBit(x) ? -1 : 1; }

// -1, 0 or +1; 0 (of either sign) and NaN give 0.
inline int signOrZero(float x) { return x > 0.0f ? 1 : (x < 0.0f ? -1 : 0); }

}  // namespace kvl::physics
