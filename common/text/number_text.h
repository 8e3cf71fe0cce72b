#pragma once
// Numbers as text without the C library's printf machinery, byte for byte what the classic
// locale's printf gives: each function writes at `out` and returns the end of what it wrote
// (no terminating zero).
#include <cstddef>
#include <cstdint>

namespace kvl {

// The room `out` must have for any text below (a function may store a few bytes past the end
// of its text, within this room).
constexpr std::size_t kNumberTextMax = 16;

// "%#.6g" of the float (as a double): six significant digits, the decimal point always shown,
// trailing zeros kept, exact decimal rounding with ties to even; "inf" signed as the value is,
// "nan" without a sign.
char* appendFloatText(char* out, float value);

// Decimal, with '-' when negative.
char* appendIntText(char* out, int32_t value);
char* appendUintText(char* out, uint32_t value);

}  // namespace kvl
