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

namespace kvl::host {

bool isListedCode(std::uint32_t code) noexcept {
  static const std::uint8_t kListed[] = {
      1,   2,   3,   5,   6,   7,   9,   10,  11,  13,  14,  15,  17,  18,  19,  21,  22,  23,  33,  34,  35,  37,  38,  39,
      41,  42,  43,  45,  46,  47,  49,  50,  51,  53,  54,  55,  65,  66,  67,  69,  70,  71,  73,  74,  75,  77,  78,  79,
      81,  82,  83,  85,  86,  87,  89,  90,  91,  92,  93,  94,  101, 102, 103, 116, 117, 118, 119, 153, 154, 155, 157, 161,
      162, 163, 177, 178, 179, 181, 182, 183, 185, 186, 187, 189, 190, 191, 193, 194, 195, 197, 198, 199, 254};
  static_assert(sizeof kListed == 93, "93 listed codes");
  for (std::uint8_t listed : kListed) {
    if (code == listed) return true;
  }
  return false;
}

}  // namespace kvl::host
