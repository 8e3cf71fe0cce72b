#include "plugin/physics/models/tyre_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kvl::physics;

float sineOf(float degrees) { return std::sin(degrees * 3.14159265f / 180.0f); }

TEST(TyreGrip, CamberFactorAtItsPointsAndContinuousAtItsJoints) {
  struct Case {
    float degrees, factor;
    bool lateral;
  } cases[] = {{0, 1.0f, false},    {5, 0.95f, false},  {10, 0.8875f, false}, {45, 0.45f, true}, {80, 0.45f, true},
               {-5, 1.05f, false},  {-10, 1.05f, false}, {-20, 0.8f, true},   {-34, 0.45f, true}, {-60, 0.45f, true}};
  for (const Case& c : cases) {
    const CamberGrip g = camberGrip(sineOf(c.degrees));
    EXPECT_NEAR(g.factor, c.factor, 2e-4) << c.degrees;
    EXPECT_EQ(g.lateralToo, c.lateral) << c.degrees;
  }
  for (float joint : {-34.0f, -10.0f, -5.0f, 0.0f, 5.0f, 45.0f}) {
    EXPECT_NEAR(camberGrip(sineOf(joint - 0.01f)).factor, camberGrip(sineOf(joint + 0.01f)).factor, 1e-3) << joint;
  }
  EXPECT_EQ(camberGrip(std::nanf("")).factor, 1.0f);
}

TEST(TyreGrip, SpeedAndPerformanceScales) {
  EXPECT_EQ(speedGripFactor(0.0f), 1.0f);
  EXPECT_FLOAT_EQ(speedGripFactor(-200.0f / 3.6f), 0.975f);
  EXPECT_FLOAT_EQ(speedGripFactor(100.0f), 0.975f);
  EXPECT_FLOAT_EQ(performanceScale(2, 1, 90, 50, 50), 0.81f);
  EXPECT_FLOAT_EQ(performanceScale(1, 4, 90, 50, 50), 0.25f);
  EXPECT_FLOAT_EQ(performanceScale(3, 6, 90, 50, 120), 1.44f);
  EXPECT_EQ(performanceScale(1, 1, 90, 50, 50), 1.0f);
  EXPECT_EQ(performanceScale(2, 0, 0, 50, 50), 1.0f);
  EXPECT_FLOAT_EQ(flexHeatFactor(sineOf(5), 0.0f), 3.5f);
  EXPECT_FLOAT_EQ(flexHeatFactor(sineOf(-30), 2.0f), 22.0f);
  EXPECT_FLOAT_EQ(clampedContact(0.1f), 0.425f);
  EXPECT_EQ(clampedContact(0.5f), 1.0f);
}

TEST(TyreSetup, ThresholdsAndStartTemperaturesByType) {
  struct Case {
    int type;
    float first, start;
  } cases[] = {{0, 293.15f, 338.15f}, {1, 283.15f, 328.15f}, {2, 273.15f, 318.15f}, {3, 298.15f, 343.15f},
               {4, 288.15f, 333.15f}, {5, 278.15f, 323.15f}, {6, 288.15f, 333.15f}};
  for (const Case& c : cases) {
    const auto t = tyreTemperatureThresholds(c.type);
    EXPECT_FLOAT_EQ(t[0], c.first) << c.type;
    EXPECT_FLOAT_EQ(t[7] - t[0], 110.0f) << c.type;
    EXPECT_EQ(tyreStartTemperature(c.type), c.start) << c.type;
  }
}

TEST(TyreSetup, MassesAreDensityTimesShellVolume) {
  TyreSizes t;
  t.carcassRadius = 0.3f;
  t.treadDepth = 0.01f;
  t.treadWidth = 0.2f;
  t.secondWidth = 0.22f;
  t.coverage = 0.8f;
  t.thickness = 0.005f;
  t.sidewallHeight = 0.1f;
  const double pi = 3.14159265358979;
  const double tread = pi * (0.31 * 0.31 - 0.3 * 0.3) * 0.2 * 0.8 * 950;
  const TyreMasses m = tyreMasses(t);
  EXPECT_NEAR(m.tread, 0.95 * tread, tread * 1e-5);
  EXPECT_NEAR(m.treadSlice * 8, 0.05 * tread, tread * 1e-6);
  const double inner = 0.29 * 0.29, sidewall = (inner - 0.21 * 0.21) * pi;
  const double carcass = ((0.09 - inner) * pi * 0.2 + 0.01 * sidewall) * 1645;
  EXPECT_NEAR(m.carcass, carcass, carcass * 1e-4);
  EXPECT_NEAR(tyreGasVolume(t), sidewall * 0.21, 1e-6);
  EXPECT_NEAR(contactStiffnessScale(t, 2.0f), 0.066149995 / (0.21 * 0.31) * 2, 1e-5);
  // A tyre without sizes: the host's values stay.
  EXPECT_EQ(contactStiffnessScale(TyreSizes{}, 1.0f), 0.0f);
  EXPECT_EQ(tyreGasVolume(TyreSizes{}), 0.0f);
}

TEST(TyreGas, PressureFollowsTemperature) {
  TyreGas gas{300.0f, 200000.0f, 0.02f};
  gas.setTemperature(330.0f);
  EXPECT_FLOAT_EQ(gas.pressure, 220000.0f);
  gas.setTemperature(270.0f);
  EXPECT_FLOAT_EQ(gas.pressure / gas.temperature, 200000.0f / 300.0f);
}

TEST(TyreHeat, TermsAsTheHostModelSumsThem) {
  TyreHeatShape s{0.3f, 0.01f, 0.2f, 0.1f, 0.005f};
  const double pi = 3.14159265358979;
  // With the ambient at 293.15 K the surroundings read 0.01 K warmer.
  EXPECT_NEAR(tyreExchange(350.0f, 300.0f, 2.0f, 0.5f, 293.15f), (350 - 300.01) * 2 * 0.5, 1e-3);
  const double band = 0.31 * 2 * pi * 0.2 * 0.125;
  EXPECT_NEAR(tyreBandArea(s), band, 1e-6);
  EXPECT_NEAR(tyreBandTerm(2.0f, 3.0f, s), -6 * band, 1e-5);
  EXPECT_NEAR(tyreBandExchange(320.0f, 293.14f, 1.0f, s, 293.15f), (320 - 293.15) * band, 1e-4);
  SidewallFlow f;
  f.position = 2;
  f.rearCooling = 5.0f;
  f.carSpeed = 20.0f;
  const double r = 0.21, sideArea = (0.09 - r * r) * 2 * pi;
  EXPECT_NEAR(tyreSidewallExchange(330.0f, 293.14f, 1.0f, s, f, 293.14f),
              (330 - 293.14) * (std::pow(20.0, 0.78) * 5 + 1) * sideArea, 1e-2);
  const double e = 0.29;
  EXPECT_NEAR(tyreInnerExchange(330.0f, 320.0f, 3.0f, s), 10 * 3 * ((e * e - r * r) * 2 * pi + e * 2 * pi * 0.2), 1e-3);
}

}  // namespace
