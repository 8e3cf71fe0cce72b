#include "plugin/physics/models/spring_damper_model.h"
#include "plugin/physics/models/suspension_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kvl::physics;

TEST(BumpStop, TravelFromThePlatformHeight) {
  EXPECT_FLOAT_EQ(bumpStopTravel(0.0f), 0.05f);
  EXPECT_FLOAT_EQ(bumpStopTravel(0.03f), 0.02f);
  EXPECT_EQ(bumpStopTravel(0.06f), 0.0f);
  EXPECT_EQ(bumpStopTravel(-0.01f), 0.0f);
}

TEST(BumpStop, ProgressiveFactorAndDampingByDirection) {
  BumpStopInput in;
  in.engageLength = 0.3f;
  in.travel = 0.04f;
  in.stiffness = 1000.0f;
  in.damping = 400.0f;
  in.reboundRatio = 0.5f;
  struct Case {
    float length, velocity;
    bool progressive, engaged;
    float factor, stiffness, damping, dampingOutput;
  } cases[] = {
      {0.31f, 1.0f, true, false, 0.0f, 1000.0f, 400.0f, 400.0f},      // not reached
      {0.25f, 1.0f, true, false, 0.0f, 1000.0f, 400.0f, 400.0f},      // beyond its travel
      {0.29f, 1.0f, true, true, 0.25f, 250.0f, 100.0f, 100.0f},       // rebound ratio
      {0.29f, -1.0f, true, true, 0.25f, 250.0f, 200.0f / 0.3f, 200.0f},  // compression
      {0.29f, -1.0f, false, true, 1.0f, 1000.0f, 400.0f / 0.3f, 400.0f},
  };
  for (const Case& c : cases) {
    in.length = c.length;
    in.velocity = c.velocity;
    in.progressive = c.progressive;
    const BumpStop b = bumpStopFor(in);
    EXPECT_EQ(b.engaged, c.engaged) << c.length;
    EXPECT_NEAR(b.factorOutput, c.factor, 1e-4) << c.length;
    EXPECT_NEAR(b.stiffness, c.stiffness, 0.1) << c.length;
    EXPECT_NEAR(b.damping, c.damping, 0.1) << c.length;
    EXPECT_NEAR(b.dampingOutput, c.dampingOutput, 0.1) << c.length;
  }
}

TEST(HighSpeedDamping, BreaksHandOverToTheHighSpeedValues) {
  HighSpeedInput in;
  in.bumpBreak = 0.2f;
  in.reboundBreak = 0.3f;
  in.reboundDamping = 5000.0f;
  in.reboundScale = 0.5f;
  in.bumpDamping = 3000.0f;
  in.activeBump = 1.0f;
  in.activeRebound = 2.0f;
  in.velocity = -0.2f;
  HighSpeedDamping d = highSpeedDampingFor(in);
  EXPECT_EQ(d.activeBump, 3000.0f);
  EXPECT_EQ(d.bumpBreak, 0.0f);
  EXPECT_FLOAT_EQ(d.reboundDamping, 4000.0f);
  in.velocity = 0.3f;
  d = highSpeedDampingFor(in);
  EXPECT_FLOAT_EQ(d.activeRebound, 4000.0f);
  EXPECT_EQ(d.reboundBreak, 0.0f);
  EXPECT_EQ(d.activeBump, 1.0f);
  in.velocity = 0.1f;
  d = highSpeedDampingFor(in);
  EXPECT_EQ(d.activeRebound, 2.0f);
  EXPECT_EQ(d.bumpBreak, 0.2f);
}

TEST(SuspensionConstants, ScaleWithTheTimeScale) {
  const SuspensionDamageLevels d = suspensionDamageLevelsFor(1.0f);
  EXPECT_EQ(d.forceLow, 28000.0f);
  EXPECT_EQ(d.forceHigh, 60000.0f);
  EXPECT_EQ(d.forceLimit, 800000.0f);
  EXPECT_FLOAT_EQ(d.inverseSpan, 1.0f / 32000.0f);
  const SpringConstants s = springConstantsFor(0.5f);
  EXPECT_EQ(s.forceScale, 13500.0f);
  EXPECT_FLOAT_EQ(s.timeConstant, 1.1111111e-4f);
}

TEST(SurfaceProfile, BlendsOffsetsAndWaves) {
  SurfaceProfileMaterial flat{0.01f, 0.02f, 0.5f, 0.0f};
  SurfaceProfileMaterial wavy{0.03f, -0.01f, 0.1f, 4.0f};
  SurfaceProfile p = surfaceProfileAt(1.0f, 3.0f, 0.0f, flat, wavy);
  EXPECT_FLOAT_EQ(p.height, 0.01f);
  EXPECT_FLOAT_EQ(p.secondHeight, 0.03f);
  p = surfaceProfileAt(1.0f, 2.0f, 0.25f, flat, wavy);
  const double wave = (1.0 + 0.0) * 0.25 * 0.1;  // sin(pi / 2) + sin(pi)
  EXPECT_NEAR(p.height, 0.75 * 0.01 + 0.25 * 0.03 + wave, 1e-6);
  EXPECT_NEAR(p.secondHeight, 0.75 * 0.02 - 0.25 * 0.01 + p.height, 1e-6);
}

}  // namespace
