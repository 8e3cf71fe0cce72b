#include "plugin/physics/models/wheel_lock_solver.h"

#include <gtest/gtest.h>

namespace {

using namespace kvl::physics;

struct ScriptedAxleTest : AxleTest {
  int yesCalls = 0;  // answers yes to this many calls, then no
  bool test(int) override { return yesCalls-- > 0; }
};

DrivetrainWords fourWheels() {
  DrivetrainWords d;
  d.axle[0].radiusWeight = 2.0f;
  for (int k = 1; k <= 2; ++k) {
    d.axle[k].radiusWeight = 1.0f;
    d.axle[k].driveFlag = 1.0f;
    d.axle[k].wheels[0] = 2 * k - 2;
    d.axle[k].wheels[1] = 2 * k - 1;
  }
  for (int w = 0; w < 4; ++w) {
    d.wheel[w].axle = w < 2 ? 1 : 2;
    d.wheel[w].factor = 1.0f;
    d.wheel[w].factorBits = 0x3F800000u;
  }
  return d;
}

TEST(WheelLockSolver, EndlessAxleTestsStopAtTheCap) {
  DrivetrainWords d = fourWheels();
  ScriptedAxleTest host;
  host.yesCalls = 1 << 30;
  const int hitsBefore = wheelLockCapHits();
  EXPECT_EQ(solveWheelLocks(d, host), kMaxWheelLockPasses + 1);
  EXPECT_EQ(wheelLockCapHits(), hitsBefore + 1);
  EXPECT_EQ(d.changedPasses, 1);
}

TEST(WheelLockSolver, ReleasesWrongWayWheelsAndKeepsHeldOnes) {
  DrivetrainWords d = fourWheels();
  d.wheel[0].direction = 1, d.wheel[0].value = -3.0f;
  d.wheel[1].direction = 1, d.wheel[1].value = 2.0f;
  d.wheel[2].direction = 1, d.wheel[2].value = -1.0f, d.wheel[2].hold = 1;
  ScriptedAxleTest host;
  EXPECT_EQ(solveWheelLocks(d, host), 2);
  EXPECT_EQ(d.wheel[0].direction, 0);
  EXPECT_EQ(d.wheel[0].value, 0.0f);
  EXPECT_EQ(d.wheel[1].value, 2.0f);
  EXPECT_EQ(d.wheel[2].direction, 1);
  EXPECT_EQ(d.changedPasses, 1);
}

TEST(WheelLockSolver, BothAxlesHeldClearTheCentreAndAxles) {
  DrivetrainWords d = fourWheels();
  d.wheel[1].direction = 1, d.wheel[1].value = 2.0f;
  d.wheel[3].direction = 1, d.wheel[3].value = 2.0f;
  d.axle[1].torque = 10.0f;
  d.axle[2].sum = 4.0f;
  ScriptedAxleTest host;
  host.yesCalls = 2;
  solveWheelLocks(d, host);
  for (const DrivetrainAxle& a : d.axle) EXPECT_TRUE(a.torque == 0.0f && a.sum == 0.0f && a.sign == 0);
}

TEST(WheelLockSolver, LockTestLocksOutsideTheBandAndOutputsFollow) {
  DrivetrainWords d = fourWheels();
  d.engineTorque = 100.0f;
  axleLockTest(d, 2, 0.5f);
  EXPECT_EQ(d.wheel[2].direction, 1);
  EXPECT_EQ(d.wheel[2].hold, 0x3F800000u);
  EXPECT_EQ(d.locks, 1);
  axleLockTest(d, 3, 0.5f);
  EXPECT_EQ(d.locks, 1);  // counted once per solve
  axleLockTest(d, 2, 0.5f);
  EXPECT_EQ(d.wheel[2].hold, 0u);
  lockedAxleOutput(d, 2, 0.5f);
  EXPECT_FLOAT_EQ(d.wheel[2].output, 50.0f);
  lockedAxleOutput(d, 0, 0.5f);
  EXPECT_EQ(d.wheel[0].output, 0.0f);
  d.engineTorque = 0.0f;
  d.wheel[0].axle = 7;  // a host index out of range is skipped
  axleLockTest(d, 0, 0.5f);
  EXPECT_EQ(d.wheel[0].direction, 0);
}

}  // namespace
