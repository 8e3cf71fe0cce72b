#include "plugin/physics/models/force_feedback_model.h"
#include "plugin/physics/models/frame_time_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using namespace kvl::physics;

TEST(ForceFeedbackCurve, OddMonotoneAndBounded) {
  // Worked by hand: e = |x| x 100 / k, the value sign(x) (1 - 0.975^e): 0.975^0.5 = 0.987421,
  // 0.975^4 = 0.903688, 0.975^5 = 0.881096, 0.975^10 = 0.776330, 0.975^40000 = 0.
  struct Row {
    float x, k, value;
  } rows[] = {{1, 100, 0.025f},     {0.5f, 100, 0.0125791f}, {-2, 50, -0.0963120f},
              {10, 200, 0.118904f}, {-30, 300, -0.223670f},  {400, 1, 1.0f}};
  for (const Row& r : rows) {
    EXPECT_NEAR(forceFeedbackCurve(r.x, r.k), r.value, 1e-6) << r.x << " " << r.k;
    EXPECT_EQ(forceFeedbackCurve(-r.x, r.k), -forceFeedbackCurve(r.x, r.k)) << r.x;
  }
  float previous = -1.0f;
  for (float x = -400.0f; x <= 400.0f; x += 0.5f) {
    const float f = forceFeedbackCurve(x, 50.0f);
    EXPECT_GE(f, previous) << x;
    EXPECT_LE(std::fabs(f), 1.0f) << x;
    previous = f;
  }
  EXPECT_EQ(forceFeedbackCurve(0.0f, 100.0f), 0.0f);
  EXPECT_EQ(forceFeedbackCurve(std::numeric_limits<float>::quiet_NaN(), 100.0f), 0.0f);
  EXPECT_EQ(forceFeedbackCurve(3.0f, 0.0f), forceFeedbackCurve(3.0f, 1.0f));
  EXPECT_GT(forceFeedbackCurve(3.0f, 100.0f), forceFeedbackCurve(3.0f, 200.0f));
}

TEST(ForceFeedbackOutput, ClampedAsAFloatBeforeItBecomesAnInteger) {
  struct Case {
    int gain;
    float steering;
    int force;
  } cases[] = {{100, 0.555f, 55}, {100, -0.555f, -56}, {10000, 3.0f, 10000}, {10000, -1e30f, -10000},
               {2000000000, 2000000000.0f, 10000}, {100, std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const Case& c : cases) EXPECT_EQ(constantForceFor(c.gain, c.steering), c.force) << c.steering;
}

TEST(Shifter, FirstEngagedItemOrTheHostsNeutral) {
  ShifterItems items;
  EXPECT_EQ(shifterGear(items), 0);
  items.bound[0] = items.bound[3] = true;
  items.value[3] = 0.999f;
  EXPECT_EQ(shifterGear(items), 2);  // nothing engaged, item 14 unbound
  items.value[3] = 1.0f;
  EXPECT_EQ(shifterGear(items), 4);
  items.value[3] = 0.5f;
  items.bound[1] = true;
  EXPECT_EQ(shifterGear(items), 0);
}

TEST(FrameTimeStep, WholePeriodsInTheSteppingStatesOnly) {
  for (int state = 0; state < 20; ++state) {
    const bool steps = state == 1 || state == 3 || state == 8 || state == 9 || state == 10 || state == 15;
    EXPECT_EQ(effectsAdvanceIn(state), steps) << state;
  }
  float seconds = -1.0f;
  EXPECT_FALSE(effectsStepFor(0, 0, seconds));
  EXPECT_EQ(seconds, -1.0f);
  ASSERT_TRUE(effectsStepFor(10, 10 * (1000000 / 144), seconds));
  EXPECT_FLOAT_EQ(seconds, 10 * 6944 / 1e6f);
  ASSERT_TRUE(effectsStepFor(11, 11 * 6944, seconds));
  EXPECT_EQ(seconds, 0.0069444445f);
  uint32_t bits;
  std::memcpy(&bits, &seconds, 4);
  EXPECT_EQ(bits, 0x3BE38E39u);
}

}  // namespace
