#include "plugin/physics/models/brake_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

using namespace kvl::physics;

BrakeParameters disc() {
  BrakeParameters p;
  p.mass = 6.0f;
  p.convectionFactor = 2.0f;
  p.layerFraction = 0.25f;
  p.effectiveRadius = 0.12f;
  p.specificHeat = 460.0f;
  p.heatAbsorption = 0.9f;
  p.plateArea = 0.05f;
  p.ventArea = 0.02f;
  p.internalConvection = 40.0f;
  p.pistonArea = 0.002f;
  p.share = 0.6f;
  return p;
}

uint32_t microKelvin(double k) { return static_cast<uint32_t>(k * 1e6); }

TEST(Brake, PressureTorqueAndFrontBrakeFlag) {
  const BrakeParameters p = disc();
  BrakeWheelState s{50.0f, 1.0f, microKelvin(300), microKelvin(300)};
  BrakeInput in;
  in.brake = 1e6f;
  in.handbrake = 0.5f;
  in.handbrakeShare = 1.0f;
  in.rearSlope = 0.01f;
  in.dt = 1.0f / 720;
  in.wheel = 2;
  const BrakePressure bp = brakePressure(p, s, in);
  // By hand: p = 0.6 x 1e6 + 0.5; F = 0.002 p = 1200.001; torque = (1 - 6 x 0.01) x 0.4 x F x 0.12;
  // the handbrake's part 0.5 / p x 0.5 x torque.
  EXPECT_FLOAT_EQ(bp.pressure, 600000.5f);
  EXPECT_FLOAT_EQ(bp.clampForce, 1200.001f);
  BrakeTelemetry tm{};
  const float torque = brakeStep(p, s, in, bp, 0.4f, tm);
  EXPECT_FLOAT_EQ(tm.rubbingSpeed, 6.0f);
  EXPECT_FLOAT_EQ(torque, 54.144045f);
  EXPECT_FLOAT_EQ(handbrakeTransfer(bp, torque), 2.256e-5f);
  in.wheel = 0;
  in.frontBrakes = false;
  EXPECT_EQ(brakePressure(p, s, in).pressure, 0.0f);
  // A fast brake with a steep slope never gives a negative friction.
  in.wheel = 2;
  in.rearSlope = 10.0f;
  EXPECT_EQ(brakeStep(p, s, in, bp, 0.4f, tm), 0.0f);
}

TEST(Brake, StoredHeatEqualsTheHeatPutIn) {
  const BrakeParameters p = disc();
  BrakeWheelState s{80.0f, 0.0f, microKelvin(450), microKelvin(380)};
  BrakeInput in;
  in.brake = 2e6f;
  in.wheel = 3;
  in.dt = 1.0f / 720;
  const BrakePressure bp = brakePressure(p, s, in);
  BrakeTelemetry tm{};
  const BrakeWheelState before = s;
  brakeStep(p, s, in, bp, 0.4f, tm);
  const double layerCapacity = 0.25 * 460.0 * 6.0, coreCapacity = 0.75 * 460.0 * 6.0;
  const double layerHeat = (tm.frictionHeat + double(tm.convection) + tm.conduction + tm.radiation) * in.dt;
  EXPECT_NEAR(layerHeat, tm.layerHeat, std::fabs(layerHeat) * 1e-6);
  EXPECT_NEAR((double(s.layerTemperature) - before.layerTemperature) * 1e-6 * layerCapacity, tm.layerHeat,
              layerCapacity * 1e-6);
  EXPECT_NEAR((double(s.coreTemperature) - before.coreTemperature) * 1e-6 * coreCapacity, tm.coreHeat,
              coreCapacity * 1e-6);
}

TEST(Brake, HeatTermsAndTemperaturesOfTableBrakes) {
  // Worked from the brake's steps by a second computation in double precision, for the disc above.
  // First row by hand: p = 0.6 x 2e6, F = 2400, v = 50 x 0.12 = 6, mu' = (1 - 6 x 0.01) x 0.4 =
  // 0.376, torque = 0.376 x 2400 x 0.12 = 108.288; h = (20^0.78 + 1) x 2 = 22.69347; Q_cond =
  // 0.05 x 40 x (380 - 450) = -140; Q_conv = 0.05 h (293.15 - 450); Q_fric = 108.288 x 50 x 0.9;
  // Q_rad = (293.15^4 - 450^4) x 0.05 x 1.7011119e-8; S = sum / 720 over 0.25 x 460 x 6 J/K
  // raises the layer by 9111.09 uK, X = (Q_vent - Q_cond) / 720 over 0.75 x 460 x 6 the core by 67.49.
  struct Row {
    BrakeWheelState state;
    float brake, handbrake, slope, carSpeed, ambient, dt, friction;
    float torque, h, cond, conv, fric, rad, vent, layerHeat, coreHeat;
    uint32_t layer, core;
  } rows[] = {
      {{50, 1, 450000000u, 380000000u}, 2e6f, 0, 0.01f, 20, 293.15f, 1.0f / 720, 0.4f,
       108.288f, 22.69347f, -140, -177.9736f, 4872.96f, -28.59662f, -39.41856f, 6.286653f, 0.1396964f,
       450009111u, 380000067u},
      // A still brake, hotter in its core: conduction warms the layer, the air cools both.
      {{0, 0, 600000000u, 700000000u}, 0, 0, 0.01f, 0, 293.15f, 0.5f, 0.4f,
       0, 2, 200, -30.685f, 0, -103.9506f, -16.274f, 32.68222f, -108.137f, 600047365u, 699947759u},
      // With the handbrake (0.5) on a cold day.
      {{80, 1, 350000000u, 320000000u}, 1e6f, 0.5f, 0.02f, 10, 283.15f, 1.0f / 720, 0.35f,
       40.72323f, 14.05119f, -60, -46.96611f, 2932.073f, -7.296402f, -10.35573f, 3.913626f, 0.06895038f,
       350005671u, 320000033u},
  };
  const BrakeParameters p = disc();
  for (const Row& r : rows) {
    BrakeWheelState s = r.state;
    BrakeInput in;
    in.wheel = 3;
    in.brake = r.brake;
    in.handbrake = r.handbrake;
    in.rearSlope = r.slope;
    in.carSpeed = r.carSpeed;
    in.ambient = r.ambient;
    in.dt = r.dt;
    BrakeTelemetry tm{};
    const float torque = brakeStep(p, s, in, brakePressure(p, s, in), r.friction, tm);
    auto near = [](float actual, float expected) { return std::fabs(actual - expected) <= 1e-5f * std::fabs(expected) + 1e-4f; };
    EXPECT_TRUE(near(torque, r.torque)) << torque;
    EXPECT_TRUE(near(tm.convectionCoefficient, r.h)) << tm.convectionCoefficient;
    EXPECT_TRUE(near(tm.conduction, r.cond)) << tm.conduction;
    EXPECT_TRUE(near(tm.convection, r.conv)) << tm.convection;
    EXPECT_TRUE(near(tm.frictionHeat, r.fric)) << tm.frictionHeat;
    EXPECT_TRUE(near(tm.radiation, r.rad)) << tm.radiation;
    EXPECT_TRUE(near(tm.ventHeat, r.vent)) << tm.ventHeat;
    EXPECT_TRUE(near(tm.layerHeat, r.layerHeat)) << tm.layerHeat;
    EXPECT_TRUE(near(tm.coreHeat, r.coreHeat)) << tm.coreHeat;
    EXPECT_EQ(s.layerTemperature, r.layer);
    EXPECT_EQ(s.coreTemperature, r.core);
  }
}

TEST(Brake, AmbientStaysAndHotBrakesCoolMonotonically) {
  const BrakeParameters p = disc();
  BrakeInput in;
  in.dt = 1.0f / 720;
  BrakeTelemetry tm{};
  const uint32_t ambient = microKelvin(293.15f);
  BrakeWheelState still{0.0f, 0.0f, ambient, ambient};
  for (int i = 0; i < 100; ++i) brakeStep(p, still, in, brakePressure(p, still, in), 0.4f, tm);
  EXPECT_EQ(still.layerTemperature, ambient);
  EXPECT_EQ(still.coreTemperature, ambient);

  BrakeWheelState hot{0.0f, 0.0f, microKelvin(700), microKelvin(700)};
  in.dt = 0.5f;
  for (int i = 0; i < 2000; ++i) {
    const BrakeWheelState was = hot;
    brakeStep(p, hot, in, brakePressure(p, hot, in), 0.4f, tm);
    ASSERT_LE(hot.layerTemperature, was.layerTemperature) << i;
    ASSERT_GE(hot.layerTemperature, ambient - 1) << i;
  }
}

TEST(Brake, NodesWithoutHeatCapacityKeepTheirTemperatures) {
  BrakeInput in;
  in.dt = 0.1f;
  in.brake = 1.0f;
  BrakeTelemetry tm{};
  for (float fraction : {0.0f, 1.0f}) {
    BrakeParameters p = disc();
    p.layerFraction = fraction;
    BrakeWheelState s{10.0f, 0.0f, microKelvin(500), microKelvin(400)};
    brakeStep(p, s, in, brakePressure(p, s, in), 0.4f, tm);
    EXPECT_EQ(s.layerTemperature == microKelvin(500), fraction == 0.0f);
    EXPECT_EQ(s.coreTemperature == microKelvin(400), fraction == 1.0f);
  }
  BrakeParameters none;  // a car without brake keys
  BrakeWheelState s{10.0f, 0.0f, 4000000000u, 1u};
  in.ambient = 293.15f;
  brakeStep(none, s, in, brakePressure(none, s, in), 0.4f, tm);
  EXPECT_EQ(s.layerTemperature, 4000000000u);
  EXPECT_EQ(s.coreTemperature, 1u);
}

}  // namespace
