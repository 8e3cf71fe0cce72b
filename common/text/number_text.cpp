#include "common/text/number_text.h"

#include <cstring>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the digit packing below assumes a little-endian processor"
#endif

namespace kvl {

namespace {

constexpr uint32_t kPow5Of13 = 1220703125u;  // 5^13, the largest power of five in 32 bits

constexpr uint64_t pow5(int n) {
  uint64_t p = 1;
  while (n-- > 0) p *= 5;
  return p;
}

// 5^0 to 5^27, the powers of five that fit 64 bits.
struct Pow5Table {
  uint64_t value[28] = {};
  constexpr Pow5Table() {
    for (int i = 0; i < 28; ++i) value[i] = pow5(i);
  }
};
constexpr Pow5Table kPow5;

// A non-negative integer of up to 192 bits, least significant limb first: room for a float's
// significand times the largest power of five or two the rounding below needs (about 2^141).
struct WideNumber {
  uint32_t limb[6] = {};

  void multiply(uint32_t factor) {
    uint64_t carry = 0;
    for (uint32_t& l : limb) {
      const uint64_t p = static_cast<uint64_t>(l) * factor + carry;
      l = static_cast<uint32_t>(p);
      carry = p >> 32;
    }
  }
  void shiftLeft(int bits) {
    const int limbs = bits / 32, rest = bits % 32;
    for (int i = 5; i >= 0; --i) {
      const int from = i - limbs;
      uint32_t v = from >= 0 ? limb[from] << rest : 0;
      if (rest && from - 1 >= 0) v |= limb[from - 1] >> (32 - rest);
      limb[i] = v;
    }
  }
  // Returns true when a one bit was shifted out.
  bool shiftRight(int bits) {
    bool lost = false;
    const int limbs = bits / 32, rest = bits % 32;
    for (int i = 0; i < limbs && i < 6; ++i) lost |= limb[i] != 0;
    if (rest && limbs < 6) lost |= (limb[limbs] & ((1u << rest) - 1)) != 0;
    for (int i = 0; i < 6; ++i) {
      const int from = i + limbs;
      uint32_t v = from < 6 ? limb[from] >> rest : 0;
      if (rest && from + 1 < 6) v |= limb[from + 1] << (32 - rest);
      limb[i] = v;
    }
    return lost;
  }
  // Divides by divisor; returns the remainder.
  uint32_t divide(uint32_t divisor) {
    uint64_t remainder = 0;
    for (int i = 5; i >= 0; --i) {
      const uint64_t current = (remainder << 32) | limb[i];
      limb[i] = static_cast<uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    return static_cast<uint32_t>(remainder);
  }
};

// Twice the value m * 2^e * 10^k, rounded down, and whether nothing was rounded away. The
// callers keep the result below 2^31.
struct Doubled {
  uint32_t value;
  bool exact;
};

Doubled doubledScaled(uint32_t m, int e, int k) {
  const int p = e + k + 1;  // the power of two of twice the value: 2m * 2^(e+k) * 5^k
  // Most values: the arithmetic fits 64 bits.
  if (k >= 0 && k <= 17) {
    const uint64_t n = m * kPow5.value[k];  // below 2^24 * 5^17 < 2^64
    if (p >= 0) return {static_cast<uint32_t>(n << p), true};
    if (p > -64) return {static_cast<uint32_t>(n >> -p), (n & ((uint64_t{1} << -p) - 1)) == 0};
  } else if (k < 0 && k >= -17 && p >= -20 && p <= 38) {
    const uint64_t numerator = p >= 0 ? static_cast<uint64_t>(m) << p : m;
    const uint64_t denominator = p >= 0 ? kPow5.value[-k] : kPow5.value[-k] << -p;
    return {static_cast<uint32_t>(numerator / denominator), numerator % denominator == 0};
  }
  // The rest (values below 1e-12 or above 1e12): exact arithmetic on wide numbers.
  WideNumber w;
  w.limb[0] = m;
  for (int left = k; left > 0; left -= 13) w.multiply(left >= 13 ? kPow5Of13 : static_cast<uint32_t>(kPow5.value[left]));
  bool lost = false;
  if (p > 0) w.shiftLeft(p);
  if (p < 0) lost = w.shiftRight(-p);
  for (int left = -k; left > 0; left -= 13) {
    lost |= w.divide(left >= 13 ? kPow5Of13 : static_cast<uint32_t>(kPow5.value[left])) != 0;
  }
  return {w.limb[0], !lost};
}

// The smallest float bit pattern (sign cleared) whose value is at least 10^k, for k from -45
// (below every non-zero float) to 39 (above every finite one, which gives infinity); found once
// by bisection with the exact scaling above, so that comparing bit patterns gives a value's
// decimal exponent.
constexpr int kLowestPower = -45;
constexpr int kPowerCount = 85;

// The bit pattern of 2^j, clamped to the smallest non-zero float and to infinity.
uint32_t powerOfTwoBits(int j) {
  if (j < -149) return 1;
  if (j < -126) return 1u << (j + 149);
  if (j < 128) return static_cast<uint32_t>(j + 127) << 23;
  return 0x7F800000u;
}

struct PowerThresholds {
  uint32_t bits[kPowerCount];
  PowerThresholds() {
    for (int i = 0; i < kPowerCount; ++i) {
      const int k = kLowestPower + i;
      // Bounds two binades either side of 10^k, so that the scaled values stay small.
      uint32_t low = powerOfTwoBits(((k * 1741647) >> 19) - 2);  // 1741647 / 2^19: log2(10)
      uint32_t high = powerOfTwoBits((((k + 1) * 1741647) >> 19) + 2);
      while (low < high) {
        const uint32_t mid = low + (high - low) / 2;
        const uint32_t field = mid >> 23, fraction = mid & 0x7FFFFF;
        const uint32_t m = field ? fraction | 0x800000 : fraction;
        const int e = field ? static_cast<int>(field) - 150 : -149;
        // twice m * 2^e * 10^-k, rounded down, is at least 2 exactly when the value is at least 10^k
        if (doubledScaled(m, e, -k).value >= 2) {
          high = mid;
        } else {
          low = mid + 1;
        }
      }
      bits[i] = low;
    }
  }
};

// The decimal exponent x of a finite non-zero float: 10^x <= value < 10^(x+1).
int decimalExponent(uint32_t magnitudeBits) {
  static const PowerThresholds thresholds;
  const uint32_t field = magnitudeBits >> 23;
  const uint32_t m = field ? (magnitudeBits & 0x7FFFFF) | 0x800000 : magnitudeBits;
  const int top = (field ? static_cast<int>(field) - 150 : -149) + 31 - __builtin_clz(m);
  const int x = (top * 78913) >> 18;  // floor(top * log10(2)): x or x - 1 over the float range
  return magnitudeBits >= thresholds.bits[x + 1 - kLowestPower] ? x + 1 : x;
}

constexpr char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* appendText(char* out, const char* text) {
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return out + n;
}

}  // namespace

char* appendFloatText(char* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint32_t exponentField = (bits >> 23) & 0xFF;
  const uint32_t fraction = bits & 0x7FFFFF;
  // A NaN prints without its sign, as the Windows C runtime the recorder ships with prints it.
  if (exponentField == 0xFF && fraction) return appendText(out, "nan");
  if (bits >> 31) *out++ = '-';
  if (exponentField == 0xFF) return appendText(out, "inf");
  if (exponentField == 0 && fraction == 0) return appendText(out, "0.00000");

  // value = m * 2^e exactly
  const uint32_t m = exponentField ? fraction | 0x800000 : fraction;
  const int e = exponentField ? static_cast<int>(exponentField) - 150 : -149;
  int x = decimalExponent(bits & 0x7FFFFFFF);
  // Six significant digits: the value scaled to [100000, 1000000), rounded to nearest.
  const Doubled scaled = doubledScaled(m, e, 5 - x);
  uint32_t digits = scaled.value >> 1;
  // Above the half way point, or exactly on it with an odd last digit (ties go to even).
  if ((scaled.value & 1) && (!scaled.exact || (digits & 1))) ++digits;
  if (digits == 1000000) {
    digits = 100000;
    ++x;
  }

  // The six digits as bytes in memory order, put together in a register: storing them piece by
  // piece and reading them back as one word would stall the processor.
  auto pair = [](uint32_t twoDigits) {
    uint16_t v;
    std::memcpy(&v, kTwoDigits + 2 * twoDigits, 2);
    return static_cast<uint64_t>(v);
  };
  uint64_t word = pair(digits / 10000) | pair(digits / 100 % 100) << 16 | pair(digits % 100) << 32;
  if (x < -4 || x >= 6) {
    // d.ddddde+xx: the point after the first digit, then the exponent.
    word = (word & 0xFF) | (uint64_t{'.'} << 8) | ((word >> 8) << 16);
    std::memcpy(out, &word, 8);
    out += 7;
    *out++ = 'e';
    *out++ = x < 0 ? '-' : '+';
    const int magnitude = x < 0 ? -x : x;
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
  } else if (x >= 0) {
    // The point after digit x + 1.
    const int split = 8 * (x + 1);
    word = (word & ((uint64_t{1} << split) - 1)) | (uint64_t{'.'} << split) | ((word >> split) << (split + 8));
    std::memcpy(out, &word, 8);
    out += 7;
  } else {
    std::memcpy(out, "0.000000", 8);
    out += 1 - x;  // "0." and -x - 1 zeros
    std::memcpy(out, &word, 8);
    out += 6;
  }
  return out;
}

char* appendUintText(char* out, uint32_t value) {
  char reversed[10];
  int n = 0;
  do {
    reversed[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  while (n) *out++ = reversed[--n];
  return out;
}

char* appendIntText(char* out, int32_t value) {
  if (value >= 0) return appendUintText(out, static_cast<uint32_t>(value));
  *out++ = '-';
  return appendUintText(out, 0u - static_cast<uint32_t>(value));
}

}  // namespace kvl
