#include "plugin/physics/models/drivetrain_model.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace kvl::physics;

TEST(Features, DriveTypeAndDifferentialKinds) {
  struct Case {
    uint32_t word;
    int drive, centre, front, rear;
  } cases[] = {
      {0x0008, 0, 0, 0, 0}, {0x0057, 7, 5, 0, 0}, {0x6000, 0, 0, 0, 0}, {0x4321, 1, 2, 3, 4}, {0xFFFF, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const Features f{c.word};
    EXPECT_EQ(f.driveType(), c.drive) << c.word;
    EXPECT_EQ(f.differentialKind(0), c.centre) << c.word;
    EXPECT_EQ(f.differentialKind(1), c.front) << c.word;
    EXPECT_EQ(f.differentialKind(2), c.rear) << c.word;
    EXPECT_EQ(f.differentialKind(3), 0);
  }
}

TEST(DrivetrainSetup, SharesCoefficientsAndStartTemperatures) {
  EXPECT_EQ(rearShareFor(6, 80), 0.5f);
  EXPECT_FLOAT_EQ(rearShareFor(7, 80), 0.8f);
  EXPECT_EQ(rearShareFor(7, 150), 1.0f);
  EXPECT_FLOAT_EQ(axleShare(10.0f, 1, 0.8f), 2.0f);
  EXPECT_FLOAT_EQ(axleShare(10.0f, 3, 0.8f), 8.0f);
  EXPECT_EQ(handbrakeShareFor(0.0f), 1.0f);
  EXPECT_EQ(handbrakeShareFor(0.4f), 0.4f);
  const DrivelineCoefficients d = drivelineCoefficientsFor(0.1f, 0.3f);
  EXPECT_FLOAT_EQ(d.first, 0.0005f / 2.0f);
  EXPECT_FLOAT_EQ(d.second, 0.033333335f / 2.0f);
  EXPECT_EQ(drivelineCoefficientsFor(0.0f, 0.0f).first, 0.0005f);
  EXPECT_EQ(initialBrakeTemperature(300000000u, 600000000u), 500000000u);
  EXPECT_EQ(initialBrakeTemperature(1u, 2u), 1u);
  // Thresholds near the top of the range must not wrap.
  EXPECT_EQ(initialBrakeTemperature(4000000000u, 4000000000u), 4000000000u);
  EXPECT_EQ(applyDrivelineLoss(-5.0f, 10), -5.0f);
  EXPECT_FLOAT_EQ(applyDrivelineLoss(100.0f, 10), 90.0f);
}

TEST(Starter, FullTorqueOnlyInsideItsWindow) {
  StarterState state;
  StarterInput in;
  in.present = true;
  in.charge = 1.0f;
  in.drainFactor = 1.0f;
  in.idle = 100.0f;
  in.dt = 0.5f;
  in.now = 1000;
  starterTorque(state, in);  // request clear: the time is taken
  in.requested = true;
  struct Case {
    int64_t after;
    float torque;
  } cases[] = {{500000, 0.0f}, {500001, 80.0f}, {2500000, 80.0f}, {2500001, 0.0f}};
  for (const Case& c : cases) {
    in.now = 1000 + c.after;
    const StarterOutput out = starterTorque(state, in);
    EXPECT_EQ(out.torque, c.torque) << c.after;
    if (c.torque > 0.0f) {
      EXPECT_FLOAT_EQ(out.engineSpeed, 0.001f);
      EXPECT_FLOAT_EQ(out.charge, 1.0f - 0.02f * 0.5f);
    }
  }
}

TEST(Starter, TorqueFadesBetweenThreeQuartersIdleAndIdle) {
  StarterState state;
  StarterInput in;
  in.present = in.requested = true;
  in.charge = 1.0f;
  in.now = 1000000;
  struct Case {
    float idle, speed, unscaled;
  } cases[] = {{100, 50, 1.0f}, {100, 87.5f, 0.5f}, {100, 100, 0.0f}, {100, 300, 0.0f}, {0, 10, 0.0f}};
  for (const Case& c : cases) {
    in.idle = c.idle;
    in.engineSpeed = c.speed;
    EXPECT_FLOAT_EQ(starterTorque(state, in).unscaled, c.unscaled) << c.idle << " " << c.speed;
  }
}

TEST(Downforce, QuadraticInSpeedAndReversedBackwards) {
  DownforceInput in;
  in.front = 100.0f;
  in.rear = 200.0f;
  in.densityRatio = 0.9f;
  in.frontPosition = 2.0f;
  in.rearPosition = -2.0f;
  in.speed = 41.666668f * 2.0f;
  const Downforce d = downforceFor(in);
  EXPECT_FLOAT_EQ(d.k, 4.0f);
  EXPECT_FLOAT_EQ(d.frontForce, -360.0f);
  EXPECT_FLOAT_EQ(d.rearForce, -720.0f);
  EXPECT_FLOAT_EQ(d.pitchMoment, -360.0f + 720.0f);
  in.speed = -in.speed;
  EXPECT_FLOAT_EQ(downforceFor(in).frontForce, 180.0f);
  in.speed = 0.0f;
  EXPECT_EQ(downforceFor(in).verticalForce, 0.0f);
  EXPECT_EQ(aeroConfigurationFactor(1), 0.5f);
  EXPECT_EQ(aeroConfigurationFactor(2), 0.0f);
  EXPECT_EQ(aeroConfigurationFactor(7), 1.0f);
}

}  // namespace
