#include "plugin/physics/models/differential_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kvl::physics;

TEST(Differential, BiasRatioFromTheLockValue) {
  struct Case {
    float lock, bias;
  } cases[] = {{0.0f, 1.0f}, {0.5f, 3.0f}, {0.99f, 199.0f}, {1.5f, 199.0f}, {-0.5f, 1.0f}};
  for (const Case& c : cases) EXPECT_NEAR(biasRatio(c.lock), c.bias, c.bias * 1e-5) << c.lock;
}

TEST(Differential, LockingTorqueByKind) {
  DifferentialInput in;
  in.sideA = 30.0f;
  in.sideB = 50.0f;
  in.current = 7.0f;
  in.bias = 3.0f;
  in.preload = 2.0f;
  in.maxTorque = 100.0f;
  in.uncappedLock = 0.5f;
  in.speedDifference = 16.0f;
  struct Case {
    int kind;
    float lock;
  } cases[] = {{kDiffNone, 0.0f}, {kDiffHost, 7.0f}, {kDiffOpen, 0.0f}, {kDiffLocked, 80.0f},
               {kDiffTorqueBiasing, 10.0f}, {kDiffViscous, 4.0f * 100.0f + 2.0f}};
  for (const Case& c : cases) {
    in.kind = c.kind;
    EXPECT_FLOAT_EQ(differentialLock(in), c.lock) << c.kind;
    DifferentialInput swapped = in;
    std::swap(swapped.sideA, swapped.sideB);
    EXPECT_EQ(differentialLock(swapped), differentialLock(in)) << c.kind;
    in.idle = true;
    EXPECT_EQ(differentialLock(in), 0.0f) << c.kind;
    in.idle = false;
  }
}

TEST(Differential, TorqueBiasingAndViscousEdges) {
  EXPECT_EQ(torqueBiasingLock(0.0f, 40.0f, 3.0f, 5.0f), 5.0f);
  EXPECT_FLOAT_EQ(torqueBiasingLock(20.0f, 20.0f, 3.0f, 0.0f), 2.0f * 20.0f / 4.0f);
  EXPECT_EQ(torqueBiasingLock(10.0f, 50.0f, 3.0f, 1.0f), 1.0f);  // beyond its bias
  float previous = -1.0f;
  for (float d : {0.0f, 1.0f, 4.0f, 25.0f, 100.0f}) {
    const float v = viscousLock(-d, 50.0f, 0.2f, 0.0f);
    EXPECT_FLOAT_EQ(v, std::sqrt(d) * 20.0f);
    EXPECT_GT(v, previous);
    previous = v;
  }
  EXPECT_EQ(viscousLock(400.0f, 50.0f, 0.2f, 0.0f), viscousLock(100.0f, 50.0f, 0.2f, 0.0f));
}

TEST(Differential, InverseTimesMatrixIsTheIdentity) {
  const float matrices[][4] = {{2, 1, 1, 3}, {0.001f, 5, -2, 0.3f}, {1e4f, 2, 3, -7}};
  for (const auto& m : matrices) {
    float inv[4];
    ASSERT_TRUE(invert2x2(m, inv));
    EXPECT_NEAR(inv[0] * m[0] + inv[1] * m[2], 1.0f, 1e-5);
    EXPECT_NEAR(inv[0] * m[1] + inv[1] * m[3], 0.0f, 1e-5);
    EXPECT_NEAR(inv[2] * m[0] + inv[3] * m[2], 0.0f, 1e-5);
    EXPECT_NEAR(inv[2] * m[1] + inv[3] * m[3], 1.0f, 1e-5);
  }
  const float singular[4] = {1, 2, 2, 4};
  float inv[4] = {9, 9, 9, 9};
  EXPECT_FALSE(invert2x2(singular, inv));
  EXPECT_EQ(inv[0], 9.0f);
}

}  // namespace
