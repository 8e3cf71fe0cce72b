// The number texts against the C library's printf, which the recorder's files were written with
// before: every float class and exponent, the rounding edges, and millions of random patterns.
#include "common/text/number_text.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "common/text/date_time_text.h"

namespace {

// Random float patterns per run: many millions natively, a share of them under Wine.
#ifdef _WIN32
constexpr uint32_t kRandomFloats = 1000000;
#else
constexpr uint32_t kRandomFloats = 16000000;
#endif

float fromBits(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// "%#.6g" as the C library prints it. The recorder ships with the Windows C runtime; glibc (the
// native test build only) differs from it twice, and the Windows text is expected there: glibc
// drops the kept zeros when rounding carries a value from below 10^6 to 10^6 ("1.e+06" for
// 999999.5, against the C standard), and signs a NaN ("-nan").
int printfText(char* out, std::size_t room, float value) {
  int n = std::snprintf(out, room, "%#.6g", static_cast<double>(value));
#ifdef __GLIBC__
  if (std::strcmp(out, "1.e+06") == 0 || std::strcmp(out, "-1.e+06") == 0) {
    n = std::snprintf(out, room, "%s1.00000e+06", value < 0 ? "-" : "");
  }
  if (std::strcmp(out, "-nan") == 0) n = std::snprintf(out, room, "nan");
#endif
  return n;
}

// Compares one float; returns false (and reports the first few) on a difference.
class FloatChecker {
 public:
  bool check(uint32_t bits) {
    const float value = fromBits(bits);
    char expected[64];
    const int n = printfText(expected, sizeof expected, value);
    char text[kvl::kNumberTextMax];
    const char* end = kvl::appendFloatText(text, value);
    if (n == end - text && std::memcmp(expected, text, static_cast<std::size_t>(n)) == 0) return true;
    if (++failures_ <= 10) {
      ADD_FAILURE() << "bits 0x" << std::hex << bits << ": printf \"" << expected << "\", got \""
                    << std::string(static_cast<const char*>(text), end) << "\"";
    }
    return false;
  }
  void checkBothSigns(uint32_t magnitude) {
    check(magnitude & 0x7FFFFFFFu);
    check(magnitude | 0x80000000u);
  }
  int failures() const { return failures_; }

 private:
  int failures_ = 0;
};

TEST(FloatText, SpecialValuesAndEveryExponent) {
  FloatChecker c;
  // Zeros, the smallest and largest denormals, the smallest normal, the largest float,
  // infinities, quiet and signalling NaNs.
  for (uint32_t bits : {0x0u, 0x1u, 0x2u, 0x7FFFFFu, 0x800000u, 0x7F7FFFFFu, 0x7F800000u, 0x7FC00000u,
                        0x7F800001u, 0x7FFFFFFFu}) {
    c.checkBothSigns(bits);
  }
  // Every exponent with its smallest, largest and some random significands.
  std::mt19937 random(7);
  for (uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (uint32_t fraction : {0u, 1u, 2u, 0x400000u, 0x7FFFFEu, 0x7FFFFFu}) c.checkBothSigns(exponent << 23 | fraction);
    for (int i = 0; i < 200; ++i) c.checkBothSigns(exponent << 23 | (random() & 0x7FFFFF));
  }
  EXPECT_EQ(c.failures(), 0);
}

TEST(FloatText, RoundingEdges) {
  FloatChecker c;
  // Around every power of ten, and around the values that round up to the next one
  // (9.999995 and the like): a few hundred neighbours each.
  for (int k = -45; k <= 38; ++k) {
    for (double edge : {1.0, 1.0 - 5e-7}) {
      const float around = static_cast<float>(edge * std::pow(10.0, k));
      uint32_t bits;
      std::memcpy(&bits, &around, sizeof bits);
      for (uint32_t b = bits > 300 ? bits - 300 : 0; b < bits + 300 && b < 0x7F800000u; ++b) c.check(b);
    }
  }
  // Exact ties at the sixth digit go to the even digit: whole numbers ending in 5 beyond six
  // digits, and the same scaled by powers of two.
  for (uint32_t n = 1000005; n < 16777216; n += 10 * 97) {
    for (int shift = 0; shift < 12; ++shift) {
      const float v = std::ldexp(static_cast<float>(n), shift);
      uint32_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      c.checkBothSigns(bits);
    }
  }
  EXPECT_EQ(c.failures(), 0);
}

TEST(FloatText, RandomBitPatterns) {
  FloatChecker c;
  std::mt19937 random(20);
  for (uint32_t i = 0; i < kRandomFloats && c.failures() < 10; ++i) c.check(random());
  EXPECT_EQ(c.failures(), 0);
}

TEST(IntegerText, MatchesPrintf) {
  std::mt19937 random(3);
  int failures = 0;
  auto check = [&](uint32_t v) {
    char expected[32];
    char text[kvl::kNumberTextMax];
    std::snprintf(expected, sizeof expected, "%" PRId32, static_cast<int32_t>(v));
    const char* end = kvl::appendIntText(text, static_cast<int32_t>(v));
    EXPECT_EQ(std::string(static_cast<const char*>(text), end), expected) << ++failures;
    std::snprintf(expected, sizeof expected, "%" PRIu32, v);
    end = kvl::appendUintText(text, v);
    EXPECT_EQ(std::string(static_cast<const char*>(text), end), expected) << ++failures;
  };
  for (uint32_t v : {0u, 1u, 9u, 10u, 99u, 100u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) check(v);
  for (int i = 0; i < 100000 && failures < 10; ++i) check(random() >> (random() % 32));
}

TEST(FileTimeText, MatchesPrintfOfTheCalendarFields) {
  std::mt19937_64 random(5);
  int failures = 0;
  for (int i = 0; i < 100000 && failures < 10; ++i) {
    // Any count: years past 9999 print five digits, counts from 2^63 print zeros for the date.
    const uint64_t ticks = random() >> (random() % 8);
    kvl::SystemTime st;
    if (!kvl::fileTimeToSystemTime(ticks, st)) st = kvl::SystemTime{};
    char expected[64];
    std::snprintf(expected, sizeof expected, "%04hu-%02hu-%02hu %02hu:%02hu:%02hu.%03llu%03llu", st.year, st.month,
                  st.day, st.hour, st.minute, st.second, static_cast<unsigned long long>(ticks % 10000000 / 10000),
                  static_cast<unsigned long long>(ticks % 10000 / 10));
    char text[kvl::kFileTimeTextMax];
    const char* end = kvl::appendFileTimeText(text, ticks);
    const std::string got(static_cast<const char*>(text), end);
    if (got != expected) {
      EXPECT_EQ(got, expected) << ++failures << " ticks " << ticks;
    }
  }
}

}  // namespace
