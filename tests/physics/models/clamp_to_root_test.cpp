#include "plugin/physics/models/clamp_to_root.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using kvl::physics::clampToRoot;

TEST(ClampToRoot, SmallerOfValueAndRoot) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float value, radicand, expected;
  } cases[] = {
      {5.0f, 9.0f, 3.0f},     // the root is smaller
      {2.0f, 9.0f, 2.0f},     // the value is smaller
      {-1.0f, 4.0f, -1.0f},   // a negative value stays
      {3.0f, 0.0f, 0.0f},     // root of zero
      {7.0f, -4.0f, 7.0f},    // no real root: the value
      {7.0f, nan, 7.0f},      // NaN radicand: the value
      {nan, 16.0f, 4.0f},     // NaN value: the root
      {7.0f, inf, 7.0f},      // infinite root
  };
  for (const auto& c : cases) {
    EXPECT_EQ(clampToRoot(c.value, c.radicand), c.expected) << c.value << " " << c.radicand;
  }
}

}  // namespace
