#pragma once
// The car's own calls inside the host's physics step: while the car is on the stage, every host
// step runs, through their call sites on the one car (hostsim/car_physics_calls.h), the engine
// step, the clutch, the torque split, the wheel locks, the four brakes, the four springs, tyre
// grip, camber, the flex heat and the four heat terms, the car tick and the force-feedback curve,
// on whichever thread runs the step. Every 720th step traces the calls' lines; the others run
// untraced.
#include <istream>
#include <string>

namespace hostsim {

// Scenario steps (false for any other step):
//   carphysics on      the host's physics step runs the car's calls from now on
//   carphysics off     it stops; traces "host car physics N steps, W on the worker"
bool runCarPhysicsStep(const std::string& step, std::istream& in);

// Called by the host's physics step with its time step in seconds.
void runCarPhysicsTick(float seconds);

}  // namespace hostsim
