#include <gtest/gtest.h>

#include "plugin/hooks/aspect_ratio.h"

TEST(AspectRatio, RatioOfTheResolutionAndFourThirdsForAnUnusableOne) {
  const struct {
    int w, h;
    float ratio, half;
  } cases[] = {
      {1920, 1080, 1.7777778f, 0.8888889f},
      {1024, 768, 1.3333334f, 0.6666667f},
      {1024, 0, 1.3333334f, 0.6666667f},   // no infinite ratio
      {0, 0, 1.3333334f, 0.6666667f},      // no NaN
      {-1280, 1024, 1.3333334f, 0.6666667f},
      {1280, -1, 1.3333334f, 0.6666667f},
  };
  for (const auto& c : cases) {
    const double r = kvl::aspectRatioFor(c.w, c.h);
    EXPECT_EQ(static_cast<float>(r), c.ratio) << c.w << " x " << c.h;
    EXPECT_EQ(static_cast<float>(r * 0.5), c.half) << c.w << " x " << c.h;
  }
}
