#pragma once
// The car's physics calls as the host's physics step makes them, one typed function per call
// site: the power train (hostsim/power_train.cpp), the clutch and wheel locks
// (hostsim/drivetrain_coupling.cpp) and the chassis (hostsim/chassis_model.cpp). Each runs the
// host code at its site on the simulated car and traces what the call did (the text of the
// scenario step of the same name).
#include <cstdint>

namespace hostsim {

// The power train.
void callEngineStep(float dt, float speed, float throttle, std::int32_t running, float health, std::int32_t ignition);
void callBrake(std::int32_t wheel, float pedal, float handbrake, float omega, std::int32_t front, float dt);
void setBrakeTemperatures(std::int32_t wheel, std::uint32_t layer, std::uint32_t core);
void callTorqueSplit(float dt, float torque, std::uint32_t features);

// The clutch and the wheel locks.
void callClutch(float torque, float limit, float ratio, float dt, float speed, std::int32_t slip, std::int32_t sync,
                std::int32_t engaged, std::int32_t gear);
void callSolveWheelLocks(int axleTestYes);

// The chassis. SITE names which of the routine's call sites calls it.
void callSpring(int wheel, float length, float velocity, float platform, bool progressive, std::uint32_t site = 0);
// The host's grip routine makes the camber call, with the tyre's camber sine CAMBER_SINE.
void callTyreGrip(std::uint32_t site, float speed, std::int32_t surface, std::int32_t type, std::uint32_t percent,
                  float camberSine);
void callCamber(float sine);
void callFlexHeat(std::int32_t flag, float sine, float factor);
// ARGS are COUNT floats (two or three).
void callHeatTerm(std::uint32_t site, const float* args, int count);
void callCarTick();
void callForceFeedbackCurve(std::uint32_t site, float x, float k, std::int32_t flag);

}  // namespace hostsim
