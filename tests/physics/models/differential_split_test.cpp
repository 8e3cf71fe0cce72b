#include "plugin/physics/models/differential_split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using namespace kvl::physics;

TEST(DifferentialSplit, WheelDriveAndResistance) {
  struct Case {
    SplitWheel w;
    float axleDrive;
    float a, b;
  } cases[] = {
      // Without the auxiliary word the resistance is the wheel's inertia torque.
      {{1.0f, -10.0f, 0.0f, 0.5f, 2.0f, 9.0f, 0.0f, false}, 5.0f, 10.0f, 1.0f},
      // With it: the locked torque against the turning direction plus the handbrake's part.
      {{1.0f, 10.0f, 1.0f, 0.5f, 2.0f, 9.0f, 3.0f, true}, 5.0f, 10.0f, 7.0f},
      {{2.0f, 0.0f, 0.0f, 0.0f, 1.0f, 9.0f, 0.0f, true}, 5.0f, 0.0f, 9.0f},
      // An undriven wheel carries nothing.
      {{0.0f, 10.0f, 1.0f, 0.5f, 2.0f, 9.0f, 3.0f, true}, 5.0f, 0.0f, 9.0f},
  };
  for (const Case& c : cases) {
    const SplitSide s = splitSide(c.w, 0, c.axleDrive, 0.5f);
    EXPECT_FLOAT_EQ(s.a, c.a);
    EXPECT_FLOAT_EQ(s.b, c.b);
  }
}

struct Recorder : AxleSolveHost {
  std::vector<int> steps;
  void wheelStep(int wheel, float) override { steps.push_back(wheel); }
};

struct Axle {
  std::vector<std::uint32_t> words = std::vector<std::uint32_t>(400, 0);
  std::uint32_t hold[4] = {};
  float scratchDrive = 0.0f;
  AxleStatics st;
  AxleSolverState state{words.data(), hold, &scratchDrive, {0, 0, 0}};
  Axle() {
    st.radiusWeight[0] = 2.0f;
    for (int k = 1; k <= 2; ++k) {
      st.radiusWeight[k] = 1.0f;
      st.driveFlag[k] = 1.0f;
      st.wheels[k][0] = 2 * k - 2;
      st.wheels[k][1] = 2 * k - 1;
    }
    for (int w = 0; w < 4; ++w) {
      st.factor[w] = 1.0f;
      std::memcpy(&st.factorBits[w], &st.factor[w], 4);
      st.axle[w] = w < 2 ? 1 : 2;
    }
  }
  float& f(int i) { return *reinterpret_cast<float*>(&words[i]); }
  std::int32_t& i(int n) { return *reinterpret_cast<std::int32_t*>(&words[n]); }
};

TEST(DifferentialSplit, FreeAxleLocksUnderDriveAndStepsEveryWheel) {
  Axle x;
  x.f(223) = 100.0f;
  Recorder host;
  solveAxle(x.state, x.st, 2, 0.01f, host);
  EXPECT_EQ(x.i(50 * 2 + 41), 1);
  EXPECT_EQ(x.i(50 * 3 + 41), 1);
  EXPECT_EQ(x.i(361), 1);
  EXPECT_EQ(x.hold[2], x.st.factorBits[2]);
  EXPECT_EQ(host.steps, (std::vector<int>{2, 0, 3, 1}));
}

// A free axle whose undriven wheel the handbrake locks (its factor word 0, so its hold flag 0):
// the wheel stays locked this step and the axle's sign follows its direction; only the sums are
// taken, no wheel is released.
TEST(DifferentialSplit, WheelLockedOnAFreeAxleStaysLocked) {
  Axle x;
  x.st.factor[2] = 0.0f;
  x.st.factorBits[2] = 0;
  x.st.aux[2] = true;
  x.st.handbrake[2] = 5.0f;
  x.f(50 * 2 + 62) = 1.0f;
  Recorder host;
  solveAxle(x.state, x.st, 2, 0.01f, host);
  EXPECT_EQ(x.i(50 * 2 + 41), 1);
  EXPECT_EQ(x.i(50 * 3 + 41), 0);
  EXPECT_EQ(x.i(15), 1);
  EXPECT_FLOAT_EQ(x.f(14), 0.0f);
}

TEST(DifferentialSplit, SingularLockedAxleStaysFreeAndFinite) {
  Axle x;
  x.f(223) = 100.0f;
  x.i(367) = 1;  // rebuild the matrix: every inertia is 0, so it is singular
  x.i(50 * 2 + 41) = 1;
  x.i(50 * 3 + 41) = 1;
  Recorder host;
  solveAxle(x.state, x.st, 2, 0.01f, host);
  EXPECT_EQ(x.i(317 + 2), 1);
  for (int w : {288, 289, 290, 291, 13, 14, 17}) EXPECT_TRUE(std::isfinite(x.f(w))) << w;
}

// A locked rear axle whose sum turns against its sign: the sum and the sign go to 0 and the axle
// keeps its torque, so both wheels take it (5 x 1 / 1) and stay locked; the counter of such turns
// rises once.
TEST(DifferentialSplit, SumTurningAgainstItsSignKeepsTheAxleTorque) {
  Axle x;
  x.i(367) = 1;
  x.f(280) = 2.0f;
  x.f(50 * 2 + 45) = 1.0f;
  x.f(50 * 3 + 45) = 3.0f;  // the matrix (2, 0.5; 4, 1.5) is regular
  for (int w : {2, 3}) x.i(50 * w + 41) = 1;
  x.f(13) = 5.0f;
  x.f(14) = -1.0f;
  x.i(15) = 1;
  Recorder host;
  solveAxle(x.state, x.st, 2, 0.01f, host);
  EXPECT_EQ(x.i(364), 1);
  EXPECT_FLOAT_EQ(x.f(13), 5.0f);
  EXPECT_FLOAT_EQ(x.f(14), 10.0f);
  EXPECT_EQ(x.i(15), 1);
  EXPECT_FLOAT_EQ(x.f(225), 5.0f);
  for (int w : {2, 3}) {
    EXPECT_EQ(x.i(50 * w + 41), 1) << w;
    EXPECT_FLOAT_EQ(x.f(50 * w + 37), 5.0f) << w;
  }
}

TEST(DifferentialSplit, OtherAxlesAndBadWheelsChangeNothing) {
  for (int axle : {0, 3}) {
    Axle x;
    x.f(223) = 100.0f;
    Recorder host;
    solveAxle(x.state, x.st, axle, 0.01f, host);
    EXPECT_TRUE(host.steps.empty());
  }
  Axle x;
  x.st.wheels[1][1] = 9;
  Recorder host;
  solveAxle(x.state, x.st, 1, 0.01f, host);
  EXPECT_TRUE(host.steps.empty());
}

}  // namespace
