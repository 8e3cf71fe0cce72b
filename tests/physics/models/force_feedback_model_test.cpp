#include "plugin/physics/models/force_feedback_model.h"
#include "plugin/physics/models/frame_time_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using namespace kvl::physics;

TEST(ForceFeedbackCurve, OddMonotoneAndBounded) {
  for (float x : {1.0f, 2.0f, 5.0f}) {
    const float expected = static_cast<float>(1.0 - std::pow(0.9750000238418579, static_cast<double>(x)));
    EXPECT_FLOAT_EQ(forceFeedbackCurve(x, 100.0f), expected) << x;
    EXPECT_EQ(forceFeedbackCurve(-x, 100.0f), -forceFeedbackCurve(x, 100.0f)) << x;
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
