#include "hostsim/car_physics_tick.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "hostsim/call_trace.h"
#include "hostsim/chassis_model.h"
#include "hostsim/power_train.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

std::atomic<bool> carOnStage{false};
std::atomic<unsigned> steps{0};
std::atomic<unsigned> workerSteps{0};

// Runs one of the car's calls as its scenario step does, with the arguments in text.
template <typename Step>
void call(Step run, const char* name, const std::string& arguments) {
  std::istringstream in(arguments);
  run(name, in);
}

}  // namespace

bool runCarPhysicsStep(const std::string& step, std::istream& in) {
  if (step != "carphysics") return false;
  std::string how;
  in >> how;
  if (how == "on") {
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
  char dt[32];
  std::snprintf(dt, sizeof dt, "%.9g", static_cast<double>(seconds));
  const std::string step = dt;
  const float engineSpeed = 314.16f + static_cast<float>(n % 720) * 0.2f;
  // One step in 720 traces what the car's calls did; the others run untraced.
  setTraceQuiet(n % 720 != 1);
  call(runPowerTrainStep, "engine", step + " " + std::to_string(engineSpeed) + " 0.8 1 1 1");
  call(runPowerTrainStep, "brake", std::string("0 ") + (n % 100 < 10 ? "0.3" : "0") + " 0 50 1 " + step);
  call(runChassisStep, "spring", "0.08 0.1 0 1");
  call(runChassisStep, "tyregrip", "53e2a4 20 1 1 90");
  setTraceQuiet(false);
}

}  // namespace hostsim
