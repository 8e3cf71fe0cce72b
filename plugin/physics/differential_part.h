#pragma once
// The differential set-up that the load pass runs on the car's member at +2128 (which holds the
// host's engine, gearbox and differential block): the left-foot brake threshold's range check,
// the handbrake release and left-foot brake threshold handed from the setup values to the block,
// and the two published differential values. The setup's differential maps are not checked.
namespace kvl::physics {

void setupDifferentials(void* engineBlockHolder);

// The speed scale the host's differential code reads: rev limit / 7800 x 5000 (5000 without a
// rev limit).
float differentialSpeedScaleFor(float revLimitRpm);

}  // namespace kvl::physics
