#include "plugin/physics/models/drivetrain_solver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace kvl::physics;

struct RecordingHost : CouplingHost {
  std::vector<float> synchronised, free;
  bool freeTakesOver = false;
  void synchronisedStep(float f) override { synchronised.push_back(f); }
  bool freeStep(float t) override {
    free.push_back(t);
    return freeTakesOver;
  }
};

TEST(WheelLock, BandEdgesDoNotLock) {
  struct Case {
    float u, hb, f;
    int direction;
  } cases[] = {{2.0f, 1.0f, 3.0f, 0}, {-4.0f, 1.0f, 3.0f, 0}, {2.5f, 1.0f, 3.0f, 1}, {-4.5f, 1.0f, 3.0f, -1}, {0.0f, 0.0f, 0.0f, 0}};
  for (const Case& c : cases) EXPECT_EQ(wheelLockDirection(c.u, c.hb, c.f), c.direction) << c.u;
}

CouplingInput coupling() {
  CouplingInput in;
  in.limit = 100.0f;
  in.ratio = 10.0f;
  in.gearRatio = 3.0f;
  in.dt = 0.01f;
  in.inertiaFront = 0.2f;
  in.inertiaRear = 0.05f;
  in.engaged = true;
  return in;
}

TEST(StickSlip, NotEngagedRunsFreeAndOutputsNothing) {
  RecordingHost host;
  CouplingState s{1, 1, 50.0f};
  CouplingInput in = coupling();
  in.engaged = false;
  in.torque = 25.0f;
  EXPECT_EQ(stickSlip(s, in, host), 0.0f);
  EXPECT_EQ(s.slipSign, 0);
  EXPECT_FLOAT_EQ(s.speed, 50.0f + 25.0f / 0.25f * 0.01f);
}

TEST(StickSlip, GripWithinTheLimitConservesMomentum) {
  RecordingHost host;
  CouplingState s{0, 1, 29.0f};
  CouplingInput in = coupling();
  in.torque = 40.0f;
  const float out = stickSlip(s, in, host);
  ASSERT_EQ(host.synchronised.size(), 1u);
  // The engine's change of momentum is what the synchronised step receives.
  EXPECT_FLOAT_EQ(host.synchronised[0], 0.25f * (30.0f - 29.0f));
  EXPECT_FLOAT_EQ(out, 40.0f - 0.25f / 0.01f);
  EXPECT_EQ(s.speed, 30.0f);
  EXPECT_EQ(s.slipSign, 0);
}

TEST(StickSlip, SlipStartsAndIsIntegratedInTheSameCall) {
  RecordingHost host;
  CouplingState s{0, 0, 35.0f};
  CouplingInput in = coupling();
  in.torque = 150.0f;
  EXPECT_EQ(stickSlip(s, in, host), 100.0f);
  EXPECT_EQ(host.free, std::vector<float>{100.0f});
  EXPECT_EQ(s.slipSign, 1);
  EXPECT_FLOAT_EQ(s.speed, 35.0f + 50.0f / 0.2f * 0.01f);
  // Torque falls: the engine slows to the gearbox speed and the coupling grips again.
  in.torque = -2000.0f;
  stickSlip(s, in, host);
  EXPECT_EQ(s.slipSign, 0);
  EXPECT_EQ(s.synchronised, 1);
  EXPECT_EQ(s.speed, 30.0f);
}

TEST(StickSlip, ZeroStepOrInertiaChangesNothing) {
  RecordingHost host;
  CouplingInput noStep = coupling(), noInertia = coupling();
  noStep.dt = 0.0f;
  noInertia.inertiaFront = noInertia.inertiaRear = 0.0f;
  for (CouplingInput in : {noStep, noInertia}) {
    in.torque = 150.0f;
    CouplingState s{0, 1, 35.0f};
    EXPECT_EQ(stickSlip(s, in, host), 0.0f);
    EXPECT_EQ(s.speed, 35.0f);
  }
  EXPECT_TRUE(host.synchronised.empty());
}

}  // namespace
