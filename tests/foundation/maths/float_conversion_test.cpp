#include "plugin/foundation/maths/float_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using kvl::truncateToInteger;

TEST(TruncateToInteger, DefinedForEveryInput) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double in;
    unsigned asUnsigned;
    int32_t asInt;
    int64_t asInt64;
  };
  const Case cases[] = {
      {0.0, 0, 0, 0},
      {2.9, 2, 2, 2},
      {-2.9, 0, -2, -2},
      {nan, 0, 0, 0},
      {inf, 4294967295u, INT32_MAX, INT64_MAX},
      {-inf, 0, INT32_MIN, INT64_MIN},
      {4294967295.0, 4294967295u, INT32_MAX, 4294967295LL},
      {4294967296.0, 4294967295u, INT32_MAX, 4294967296LL},
      {2147483648.0, 2147483648u, INT32_MAX, 2147483648LL},
      {-2147483648.0, 0, INT32_MIN, -2147483648LL},
      {-2147483649.0, 0, INT32_MIN, -2147483649LL},
      {1e300, 4294967295u, INT32_MAX, INT64_MAX},
      {9223372036854775808.0, 4294967295u, INT32_MAX, INT64_MAX},
      {-9223372036854775808.0, 0, INT32_MIN, INT64_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(truncateToInteger<unsigned>(c.in), c.asUnsigned) << c.in;
    EXPECT_EQ(truncateToInteger<int32_t>(c.in), c.asInt) << c.in;
    EXPECT_EQ(truncateToInteger<int64_t>(c.in), c.asInt64) << c.in;
  }
  EXPECT_EQ(truncateToInteger<uint64_t>(1.8446744073709552e19), UINT64_MAX);
  EXPECT_EQ(truncateToInteger<unsigned>(std::numeric_limits<float>::quiet_NaN()), 0u);
  EXPECT_EQ(truncateToInteger<unsigned>(3.99f), 3u);
}

}  // namespace
