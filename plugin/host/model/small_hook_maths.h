#pragma once
// The arithmetic of two small host hooks, on plain values.
#include <cstdint>

namespace kvl::host {

// 0 for either zero, -1 when the sign bit is set, else 1 (a NaN goes by its sign bit).
int signOf(const float* value) noexcept;

// Index into the host's 16 x 16 material byte table: row b x 16, column a x 16, each truncated
// toward zero and held to 0..15.
std::uint32_t materialTableIndex(float a, float b) noexcept;

}  // namespace kvl::host

namespace kvl::host {

// True for one of the host's 93 listed codes (1, 2, 3, 5, ... 254).
bool isListedCode(std::uint32_t code) noexcept;

}  // namespace kvl::host
