#include "hostsim/car_physics_tick.h"

#include <atomic>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/car_physics_calls.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

std::atomic<bool> carOnStage{false};
std::atomic<unsigned> steps{0};
std::atomic<unsigned> workerSteps{0};

}  // namespace

bool runCarPhysicsStep(const std::string& step, std::istream& in) {
  if (step != "carphysics") return false;
  std::string how;
  in >> how;
  if (how == "on") {
    // The brakes start at the air's temperature (micro-kelvins).
    for (std::int32_t w = 0; w < 4; ++w) setBrakeTemperatures(w, 293150000u, 293150000u);
    steps = 0;
    workerSteps = 0;
    carOnStage = true;
  } else {
    carOnStage = false;
    trace("host car physics " + std::to_string(steps.load()) + " steps, " + std::to_string(workerSteps.load()) +
          " on the worker");
  }
  return true;
}

void runCarPhysicsTick(float seconds) {
  if (!carOnStage) return;
  const unsigned n = ++steps;
  if (std::strcmp(threadRole(), "worker") == 0) ++workerSteps;
  // A car pulling away in third: the engine at 3000 rpm and rising, light braking now and then.
  const float engineSpeed = 314.16f + static_cast<float>(n % 720) * 0.2f;
  const float pedal = n % 100 < 10 ? 0.3f : 0.0f;
  // One step in 720 traces what the car's calls did; the others run untraced.
  setTraceQuiet(n % 720 != 1);
  // The power train: the engine, the clutch in second, the torque split over both axles, the
  // wheel locks, the four brakes (their temperatures carried from step to step).
  callEngineStep(seconds, engineSpeed, 0.8f, 1, 1.0f, 1);
  callClutch(40.0f, 100.0f, 10.0f, seconds, engineSpeed / 10.0f, 0, 1, 1, 2);
  callTorqueSplit(seconds, 100.0f, 0);
  callSolveWheelLocks(0);
  for (std::int32_t w = 0; w < 4; ++w) callBrake(w, pedal, 0.0f, 50.0f, w < 2 ? 1 : 0, seconds);
  // The chassis: the four springs, tyre grip (its routine makes the camber call), the tyre heat
  // terms, the car's tick and the force-feedback curve.
  for (int w = 0; w < 4; ++w) callSpring(w, 0.08f, 0.1f, 0.0f, true);
  callTyreGrip(0x53E2A4, 20.0f, 1, 1, 90, 0.0871557f);
  callFlexHeat(1, 0.0871557f, 2.0f);
  const float heat[2][3] = {{350.0f, 300.0f, 2.0f}, {350.0f, 2.0f, 0.0f}};
  callHeatTerm(0x534613, heat[0], 3);
  callHeatTerm(0x534639, heat[0], 3);
  callHeatTerm(0x5344EB, heat[0], 3);
  callHeatTerm(0x534531, heat[1], 2);
  callCarTick();
  callForceFeedbackCurve(0x4918EE, 1.0f, 100.0f, 0);
  setTraceQuiet(false);
}

}  // namespace hostsim
