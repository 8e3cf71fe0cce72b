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

TEST(TyreSetup, MassesGasVolumeAndContactScaleOfTableTyres) {
  // Worked by hand for the first tyre: M = 0.31, N = 0.2 pi; O = (0.0961 - 0.09) N x 0.8 x 950
  // = 2.912884, tread 0.95 O, slice 0.05 O / 8; H = 0.01, Q = 0.0841, J = (Q - 0.21^2) pi
  // = 0.1256637; carcass ((0.09 - Q) N + H J) x 1645 = 8.165313; gas volume J x (0.2 + 0.22) / 2;
  // contact scale 0.066149995 / (0.21 x 0.31) x 2. The others by a second computation of the same
  // steps in double precision.
  struct Row {
    TyreSizes t;
    float scale, tread, slice, carcass, volume, contact;
  } rows[] = {
      {{0.3f, 0.01f, 0.2f, 0.22f, 0.8f, 0.005f, 0.1f}, 2.0f, 2.767240f, 0.01820553f, 8.165313f, 0.02638938f, 2.032258f},
      {{0.3f, 0.01f, 0.2f, 0.2f, 0.9f, 0.0f, 0.1f}, 1.0f, 3.113146f, 0.02048122f, 0.0f, 0.02883982f, 1.066935f},
      {{0.32f, 0.012f, 0.205f, 0.195f, 0.85f, 0.006f, 0.11f}, 1.0f, 3.865438f, 0.02543051f, 10.81046f, 0.02863876f,
       0.9962349f},
  };
  for (const Row& r : rows) {
    const TyreMasses m = tyreMasses(r.t);
    EXPECT_NEAR(m.tread, r.tread, r.tread * 2e-5) << r.t.carcassRadius;
    EXPECT_NEAR(m.treadSlice, r.slice, r.slice * 2e-5) << r.t.carcassRadius;
    EXPECT_NEAR(m.carcass, r.carcass, r.carcass * 2e-5 + 1e-6) << r.t.carcassRadius;
    EXPECT_NEAR(tyreGasVolume(r.t), r.volume, r.volume * 2e-5) << r.t.carcassRadius;
    EXPECT_NEAR(contactStiffnessScale(r.t, r.scale), r.contact, r.contact * 2e-5) << r.t.carcassRadius;
  }
  // A tyre without sizes: the host's values stay.
  EXPECT_EQ(contactStiffnessScale(TyreSizes{}, 1.0f), 0.0f);
  EXPECT_EQ(tyreGasVolume(TyreSizes{}), 0.0f);
}

TEST(TyreGas, KeepsItsAmountWhenSetAnew) {
  // pV / (RT) stays: 200000 x 330 / 300 x 0.02 / 0.025 = 176000; an old temperature, volume or
  // gas constant of 0 is not known and leaves its ratio out; a new volume of 0 keeps the old one.
  struct Row {
    TyreGas before;
    float kelvin, volume, gasConstant;
    TyreGas after;
  } rows[] = {
      {{287, 300, 200000, 0.02f}, 330, 0.025f, 287, {287, 330, 176000, 0.025f}},
      {{0, 300, 180000, 0}, 333.15f, 0.0288398f, 287, {287, 333.15f, 199890, 0.0288398f}},
      {{287, 300, 200000, 0.02f}, 300, 0, 287, {287, 300, 200000, 0.02f}},
      {{143.5f, 300, 100000, 0.02f}, 300, 0.02f, 287, {287, 300, 200000, 0.02f}},
      {{287, 0, 150000, 0.02f}, 320, 0.01f, 287, {287, 320, 300000, 0.01f}},
  };
  for (const Row& r : rows) {
    TyreGas gas = r.before;
    gas.set(r.kelvin, r.volume, r.gasConstant);
    EXPECT_EQ(gas.gasConstant, r.after.gasConstant);
    EXPECT_EQ(gas.temperature, r.after.temperature);
    EXPECT_NEAR(gas.pressure, r.after.pressure, r.after.pressure * 1e-6) << r.before.pressure;
    EXPECT_EQ(gas.volume, r.after.volume);
  }
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
