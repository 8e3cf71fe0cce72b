#include <gtest/gtest.h>

#include "plugin/hooks/head_gasket_values.h"

namespace kvl::hooks {
namespace {

TEST(HeadGasketValues, DurabilityBelowTwoDisables) {
  for (std::int32_t d : {1, 0, -3}) EXPECT_FALSE(headGasketValues(d)) << d;
  struct Case {
    std::int32_t d;
    float factor, offset;
  } cases[] = {{2, 0.5f, -0.005f}, {4, 0.25f, -0.0075f}};
  for (const Case& c : cases) {
    const auto v = headGasketValues(c.d);
    ASSERT_TRUE(v) << c.d;
    EXPECT_FLOAT_EQ(v->factor, c.factor);
    EXPECT_FLOAT_EQ(v->offset, c.offset);
  }
}

}  // namespace
}  // namespace kvl::hooks
