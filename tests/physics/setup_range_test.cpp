#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plugin/physics/setup_range.h"

namespace kvl::physics {
namespace {

TEST(SetupRange, ResetsOnlyValuesOutsideTheirRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float below1 = std::nextafter(1.0f, 0.0f);        // 1 - 2^-24
  const float below1By2_23 = std::nextafter(below1, 0.0f);  // 1 - 2^-23
  struct Case {
    float v, lo, hi;
    bool unchanged;
    float expect;
  } cases[] = {
      {5, 0, 10, true, 5},            // inside
      {0, 0, 10, true, 0},            // at the minimum
      {10, 0, 10, true, 10},          // at the maximum
      {below1, 1, 10, true, below1},  // below by less than 2^-23
      {below1By2_23, 1, 10, false, 1},  // below by exactly 2^-23
      {-1, 0, 10, false, 0},          // below
      {11, 0, 10, false, 10},         // above
      {3, 0, 0, false, 0},            // [0, 0] with a non-zero value
      {0, 0, 0, true, 0},
      {nan, 2, 10, false, 2},         // not a number goes to the minimum
  };
  for (const Case& c : cases) {
    const RangeCheck r = checkRange(c.v, c.lo, c.hi);
    EXPECT_EQ(r.unchanged, c.unchanged) << c.v << " in " << c.lo << ".." << c.hi;
    if (!r.unchanged) {
      EXPECT_EQ(r.value, c.expect) << c.v;
    }
  }
}

TEST(SetupRange, LogLineNamesTheIndexOnlyWhenGiven) {
  EXPECT_EQ(setupErrorLine("2026-12-09 07:00:00", "MaxSteeringLock", -1, 720.5f, 100, 540, 540),
            "2026-12-09 07:00:00 setup parameter MaxSteeringLock having value 720.5 is out of range [100..540]"
            " and has been reset to 540");
  EXPECT_EQ(setupErrorLine("D", "SpringLength", 2, 0.125f, 0, 0, 0),
            "D setup parameter SpringLength[2] having value 0.125 is out of range [0..0] and has been reset to 0");
  EXPECT_EQ(setupErrorLine("D", "X", 0, 1e-7f, 0.5f, 1234567, 0.5f),
            "D setup parameter X[0] having value 1e-07 is out of range [0.5..1.23457e+06] and has been reset to 0.5");
}

}  // namespace
}  // namespace kvl::physics
