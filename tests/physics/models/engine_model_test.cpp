#include "plugin/physics/models/atmosphere.h"
#include "plugin/physics/models/engine_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace kvl::physics;

TEST(Atmosphere, StandardLapseAndPressureAtTableAltitudes) {
  // Worked by hand: T = 293.15 - 0.0065 h; p = 101300 (1 - 0.0065 h / 288.15)^5.255 (at 1000 m the
  // base is 0.977442 and its 5.255th power 0.887011); rho = p / (287 T); ratio = rho / 1.2040719.
  struct Row {
    float h, t, p, rho, ratio;
  } rows[] = {{0, 293.15f, 101300.0f, 1.2040309f, 0.999966f},
              {1000, 286.65f, 89854.19f, 1.0922059f, 0.9070935f},
              {2000, 280.15f, 79478.82f, 0.9885050f, 0.8209684f},
              {3000, 273.65f, 70095.55f, 0.8925100f, 0.7412431f}};
  for (const Row& r : rows) {
    const Atmosphere air = atmosphereAt(r.h);
    EXPECT_NEAR(air.temperature, r.t, 1e-3) << r.h;
    EXPECT_NEAR(air.pressure, r.p, 0.05) << r.h;
    EXPECT_NEAR(air.density, r.rho, 2e-6) << r.h;
    EXPECT_NEAR(densityRatio(air), r.ratio, 2e-6) << r.h;
    EXPECT_NEAR(air.inversePressure, 1.0 / r.p, 1e-11) << r.h;
    EXPECT_NEAR(air.pressure115, 1.15 * r.p, 0.06) << r.h;
    EXPECT_NEAR(air.pressure0987, 0.9871668 * r.p, 0.05) << r.h;
  }
  EXPECT_EQ(densityRatio(Atmosphere{}), 1.0f);
}

TEST(Atmosphere, OutOfRangeAltitudesStayFinite) {
  for (float h : {44330.0f, 1e9f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
    const Atmosphere air = atmosphereAt(h);
    EXPECT_TRUE(std::isfinite(air.density) && air.density >= 0.0f && air.temperature > 0.0f) << h;
    EXPECT_TRUE(std::isfinite(air.inversePressure)) << h;
  }
  EXPECT_EQ(atmosphereAt(std::numeric_limits<float>::quiet_NaN()).pressure, atmosphereAt(0.0f).pressure);
}

TEST(EngineConstants, DefaultsWithoutTheModelAndDerivedValuesWithIt) {
  EngineSetupValues v;
  v.maxTorque = 300;
  v.brakeCoefficient = 40;
  v.revLimitRpm = 7200.0f;
  v.idleRpm = 900;
  EngineConstants plain = engineConstantsFor(v);
  EXPECT_EQ(plain.idle, 400.0f);
  EXPECT_EQ(plain.constantA, 900.0f);
  EXPECT_EQ(plain.maxTorque, 300.0f);
  EXPECT_FLOAT_EQ(plain.engineBrakeCoefficient, 0.4f);
  EXPECT_FLOAT_EQ(plain.idleBandSlope, -1.0f / 75.0f);

  v.flags = kEngineModelBit;
  const EngineConstants c = engineConstantsFor(v);
  EXPECT_FLOAT_EQ(c.idle, 900 * 0.10471976f);
  EXPECT_FLOAT_EQ(c.stallThreshold, c.idle * 0.5f);
  EXPECT_FLOAT_EQ(c.idleBandSlope, -1.0f / (c.upperIdleBand - c.lowerIdleBand));
  EXPECT_FLOAT_EQ(c.constantA, 900.0f);
  EXPECT_FLOAT_EQ(c.constantB, 450.0f);
  EXPECT_FLOAT_EQ(c.constantD, 0.00022222222f / 0.9f);
  EXPECT_FLOAT_EQ(c.constantJ, 3900.0f);
  EXPECT_FLOAT_EQ(c.idleBandRpm, 675.0f);

  // No idle speed or rev limit: the derived values keep their defaults instead of dividing by 0.
  v.idleRpm = 0;
  v.revLimitRpm = 0.0f;
  const EngineConstants z = engineConstantsFor(v);
  EXPECT_EQ(z.idle, 400.0f);
  EXPECT_EQ(z.constantD, 0.00022222222f);
  EXPECT_TRUE(std::isfinite(z.idleBandSlope));
  EXPECT_FLOAT_EQ(revLimitRadPerSecond(0.0f), 8000.0f * kRpmToRadPerSecond);
}

TEST(TorqueCurve, PiecewiseLinearClampedAndSkipsZeroTorques) {
  float rpm[16] = {1000, 3000, 5000, 6000};
  float torque[16] = {100, 200, 0, 150};
  for (int n = 4; n < 16; ++n) rpm[n] = 7000.0f + n;
  kvl::LinearSpline curve;
  buildTorqueCurve(rpm, torque, curve);
  ASSERT_EQ(curve.count(), 3u);
  const float w1 = 1000 * kRpmToRadPerSecond, w2 = 3000 * kRpmToRadPerSecond, w4 = 6000 * kRpmToRadPerSecond;
  EXPECT_FLOAT_EQ(rpm[1], w2);
  EXPECT_DOUBLE_EQ(curve.evaluate(0.0), 100.0);
  EXPECT_DOUBLE_EQ(curve.evaluate(w1), 100.0);
  EXPECT_NEAR(curve.evaluate((w1 + w2) / 2), 150.0, 1e-4);
  EXPECT_NEAR(curve.evaluate((w2 + w4) / 2), 175.0, 1e-4);
  EXPECT_DOUBLE_EQ(curve.evaluate(1e6), 150.0);
}

TEST(EngineCondition, WearAndDamageLowerIt) {
  const float fresh[4] = {0, 0, 0, 0};
  const float worn[4] = {0.35f, 0.8f, 0.7f, 0};
  EXPECT_FLOAT_EQ(engineConditionFactor(fresh, 0, 1, 1, 0), 1.0f);
  EXPECT_FLOAT_EQ(engineConditionFactor(worn, 0, 1, 1, 0), 0.375f);
  EXPECT_FLOAT_EQ(engineConditionFactor(fresh, 0.5f, 0.5f, 1, 0), 1.0f - 0.025f - 0.05f);
}

TEST(EngineOverRev, DamageAboveTheMarginAndOneFailure) {
  const float limit = 700.0f;
  EngineHealth e;
  EXPECT_FALSE(overRevStep(e, 1.05f * limit, limit, 1.0f));
  EXPECT_EQ(e.health, 1.0f);
  EXPECT_FALSE(overRevStep(e, -1.06f * limit, limit, 2.0f));
  EXPECT_FLOAT_EQ(e.health, 0.9f);
  e.health = 0.1009f;
  EXPECT_TRUE(overRevStep(e, 0.0f, limit, 0.001f));
  EXPECT_EQ(e.running, 0);
  EXPECT_FALSE(overRevStep(e, 0.0f, limit, 0.001f));
}

struct EngineFixture {
  EngineConstants c;
  kvl::LinearSpline curve;
  StallWindow window;
  EngineStepInput in;
  EngineFixture() {
    EngineSetupValues v;
    v.flags = kEngineModelBit | kEngineStallBit;
    v.idleRpm = 1000;
    v.maxTorque = 200;
    v.brakeCoefficient = 10;
    v.revLimitRpm = 7000;
    c = engineConstantsFor(v);
    curve.pushBack(0.0, 0.5);
    curve.pushBack(1000.0, 1.0);
    in.flags = v.flags;
    in.limit = revLimitRadPerSecond(7000.0f);
    in.running = in.ignition = true;
    in.hostTorque = 42.0f;
  }
};

TEST(EngineStep, HostTorqueWithoutTheModelAndEngineBrakeWithIt) {
  EngineFixture f;
  f.in.flags = 0;
  f.in.speed = 300.0f;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), 42.0f / 1.05f);
  // Worked by hand: the limit 7000 rpm is 733.0383 rad/s; engine brake e = -(speed / limit, the
  // speed at most the limit) x 10 / 100 x 200; the torque ((1 - throttle) e + host) / 1.05.
  struct Row {
    float speed, throttle, host, torque;
  } rows[] = {{300, 0.25f, 42, 34.15349f},   // e = -8.185111
              {-300, 0.25f, 42, 45.84651f},  // e = +8.185111
              {800, 0.0f, 42, 20.95238f},    // above the limit: e = -20
              {0, 0.5f, 10, 9.523810f},      // at rest: e = 0
              {400, 1.0f, 42, 40.0f}};       // full throttle: no engine brake
  f.in.flags = kEngineModelBit;
  for (const Row& r : rows) {
    f.in.speed = r.speed;
    f.in.throttle = r.throttle;
    f.in.hostTorque = r.host;
    EXPECT_NEAR(engineTorque(f.in, f.c, &f.curve, f.window), r.torque, 2e-5) << r.speed;
  }
  f.in.ignition = false;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), 42.0f / 1.05f);
}

TEST(EngineStep, CurveTorqueAboveIdleAndCutAtTheLimit) {
  EngineFixture f;
  f.in.throttle = 1.0f;
  f.in.speed = 500.0f;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), 0.75f * 200.0f / 1.05f);
  f.in.torqueCutActive = true;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), 0.5f * 0.75f * 200.0f / 1.05f);
  f.in.speed = f.in.limit * 1.01f;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), 0.0f);
}

TEST(EngineStep, StallTorqueOnlyAfterAWholeWindowOfSlowSteps) {
  EngineFixture f;
  f.in.speed = 200.0f;
  for (std::size_t i = 0; i < StallWindow::kLength; ++i) engineTorque(f.in, f.c, &f.curve, f.window);
  f.in.speed = 1.0f;  // below the stall threshold of 52 rad/s
  for (int i = 0; i < 106; ++i) EXPECT_GT(engineTorque(f.in, f.c, &f.curve, f.window), -19.0f) << i;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), -0.1f * 200.0f / 1.05f);
  f.in.hostTypeBit0 = true;
  EXPECT_FLOAT_EQ(engineTorque(f.in, f.c, &f.curve, f.window), -0.05f * 200.0f / 1.05f);
  f.in.speed = 60.0f;  // one fast step breaks the window
  engineTorque(f.in, f.c, &f.curve, f.window);
  f.in.speed = 1.0f;
  EXPECT_GT(engineTorque(f.in, f.c, &f.curve, f.window), 0.0f);
}

}  // namespace
