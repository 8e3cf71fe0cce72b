#pragma once
// The differential set-up that the load pass runs on the car's member at +2128 (which holds the
// host's engine, gearbox and differential block): the range checks of that block's differential
// maps (by the drive type, against the setup ranges' map range or the lock percentages) and of
// the left-foot brake threshold, the handbrake release and left-foot brake threshold handed from
// the setup values to the block, and the two published differential values.
namespace kvl::physics {

void checkDifferentialMaps(void* engineBlockHolder);

// The speed scale the host's differential code reads: rev limit / 7800 x 5000 (5000 without a
// rev limit).
float differentialSpeedScaleFor(float revLimitRpm);

}  // namespace kvl::physics
