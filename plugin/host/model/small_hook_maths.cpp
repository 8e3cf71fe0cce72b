#include "plugin/host/model/small_hook_maths.h"

#include <cmath>
#include <cstring>

namespace kvl::host {

int signOf(const float* value) noexcept {
  if (*value == 0.0f) return 0;
  std::uint32_t bits = 0;
  std::memcpy(&bits, value, sizeof bits);
  return (bits & 0x80000000u) != 0 ? -1 : 1;
}

namespace {

std::uint32_t cell(float x) noexcept {
  const float scaled = x * 16.0f;
  // NaN and values far outside the table go to its edges without an undefined conversion.
  if (!(scaled >= 0.0f)) return 0;
  if (scaled >= 16.0f) return 15;
  return static_cast<std::uint32_t>(scaled);
}

}  // namespace

std::uint32_t materialTableIndex(float a, float b) noexcept { return cell(b) * 16 + cell(a); }

}  // namespace kvl::host
