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
  EXPECT_FLOAT_EQ(bp.pressure, 0.6e6f + 0.5f);
  EXPECT_FLOAT_EQ(bp.clampForce, bp.pressure * 0.002f);
  BrakeTelemetry tm{};
  const float torque = brakeStep(p, s, in, bp, 0.4f, tm);
  EXPECT_FLOAT_EQ(tm.rubbingSpeed, 6.0f);
  EXPECT_FLOAT_EQ(torque, (1.0f - 6.0f * 0.01f) * 0.4f * bp.clampForce * 0.12f);
  EXPECT_FLOAT_EQ(handbrakeTransfer(bp, torque), 0.5f / bp.pressure * 0.5f * torque);
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
  const double rad = (std::pow(293.15f, 4) - std::pow(450.0, 4)) * 0.05 * 0.3 * 5.670374e-8;
  EXPECT_NEAR(tm.radiation, rad, std::fabs(rad) * 1e-5);
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
