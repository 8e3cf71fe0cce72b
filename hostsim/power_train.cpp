#include "hostsim/power_train.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/car_physics_calls.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kEngineSite = 0x4E6657, kHostEngineTorque = 0x518E20, kIgnitionTest = 0x50ECF0;
constexpr std::uint32_t kStarterSites[] = {0x507A3E, 0x50A25D};
constexpr std::uint32_t kBrakeSite = 0x50A2A9, kBrakeFriction = 0x504060;
constexpr std::uint32_t kEngineFailureSource = 88;
constexpr std::uint32_t kSplitSite = 0x50A46E, kHostDifferentialStep = 0x509BC0, kHostWheelStep = 0x503870;
// The car's members; +2132 points at a record whose word +100, when positive, cuts the engine's
// torque.
constexpr std::uint32_t kSolver = 1200, kEngine = 1680, kEngineBlockRef = 2128, kCutRecordRef = 2132, kCutWord = 100;

struct PowerTrain {
  unsigned char* engineDynamic = hostObject("enginedynamic", 1024);
  unsigned char* engineState = hostObject("enginestate", 256);
  unsigned char* solverState = hostObject("solverstate", 1600);
  unsigned char* controls = hostObject("controls", 128);
  unsigned char* aux = hostObject("solveraux", 256);  // the solver's auxiliary record
  unsigned char* cutRecord = hostObject("cutrecord", 128);
  std::int32_t ignition = 1;

  PowerTrain() {
    unsigned char* car = hostCarObject();
    unsigned char* engine = car + kEngine;
    put(engine, 4, wordOf(carObject("engine")));
    put(engine, 8, wordOf(engineDynamic));
    put(engine, 68, wordOf(car));
    put(engine, 72, wordOf(engineState));
    unsigned char* block = carObject("gearbox");
    put(car, kEngineBlockRef, wordOf(block));
    put(car, kCutRecordRef, wordOf(cutRecord));
    put(cutRecord, kCutWord, 0);  // no torque cut asked for
    put(block, 392, 7000.0f);
    unsigned char* solver = car + kSolver;
    put(solver, 4, wordOf(carObject("drivetrain")));
    put(solver, 8, wordOf(solverState));
    put(solver, 368, wordOf(aux));
    put(solverState, 1408, wordOf(car));
    // The host's brake shares of the four corners.
    unsigned char* params = carObject("drivetrain");
    for (std::uint32_t w = 0; w < 4; ++w) put(params, 300 + 240 * w + 236, w < 2 ? 0.6f : 0.4f);
  }
};

PowerTrain& powerTrain() {
  static PowerTrain p;
  return p;
}

float THISCALL hostEngineTorque(void*, float, float) { return 120.0f; }
std::uint8_t THISCALL hostIgnition(void*) { return powerTrain().ignition != 0 ? 1 : 0; }
float THISCALL hostStarter(void*, float) { return -1.0f; }
float THISCALL hostBrake(void*, void*, void*, void*, void*, float) { return -1.0f; }
float THISCALL hostFriction(void*, float, void*, void*, void*, float) { return 0.4f; }
std::uint32_t THISCALL hostDifferentialStep(void*, float) {
  trace("host differential step");
  return 77;
}
void THISCALL hostWheelStep(void*, std::int32_t wheel, float) { trace("host wheel step " + std::to_string(wheel)); }

std::uint32_t hexWord(const std::string& text) { return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16)); }

void runStarter(std::istream& in) {
  std::string site;
  std::int32_t request = 0, present = 0;
  float charge = 0, speed = 0, dt = 0;
  in >> site >> request >> present >> charge >> speed >> dt;
  PowerTrain& p = powerTrain();
  unsigned char* solver = hostCarObject() + kSolver;
  put(solver, 80, request);
  put(p.aux, 124, present);
  put(p.aux, 140, charge);
  put(p.aux, 116, 1.0f);
  put(p.solverState, 1116, speed);
  const float torque = runFloatCallSite(hexWord(site), {floatWord(dt)}, wordOf(solver));
  char text[160];
  std::snprintf(text, sizeof text, "starter %s torque %.4f unscaled %.4f charge %.4f speed %.4f", site.c_str(), torque,
                get<float>(solver, 456), get<float>(p.aux, 140), get<float>(p.solverState, 1116));
  trace(text);
}

}  // namespace

unsigned char* powerTrainObject(const std::string& name) {
  if (name == "solverstate") return powerTrain().solverState;
  if (name == "solveraux") return powerTrain().aux;
  if (name == "enginestate") return powerTrain().engineState;
  if (name == "enginedynamic") return powerTrain().engineDynamic;
  return nullptr;
}

std::vector<AddressEntry> powerTrainEntries() {
  powerTrain();
  std::vector<AddressEntry> rows = {
      {EntryKind::callSite, kEngineSite, "engineStepSite", addressOf(&hostEngineTorque)},
      {EntryKind::callSite, kBrakeSite, "brakeSite", addressOf(&hostBrake)},
      {EntryKind::callSite, kSplitSite, "splitTorqueSite", addressOf(&hostDifferentialStep)},
  };
  for (std::uint32_t s : kStarterSites) rows.push_back({EntryKind::callSite, s, "starterSite", addressOf(&hostStarter)});
  appendFunctions(rows, {{kHostEngineTorque, "engineTorque", addressOf(&hostEngineTorque)},
                         {kIgnitionTest, "ignitionTest", addressOf(&hostIgnition)},
                         {kBrakeFriction, "brakeFriction", addressOf(&hostFriction)},
                         {kHostDifferentialStep, "differentialStep", addressOf(&hostDifferentialStep)},
                         {kHostWheelStep, "wheelStep", addressOf(&hostWheelStep)}});
  return rows;
}

void callEngineStep(float dt, float speed, float throttle, std::int32_t running, float health, std::int32_t ignition) {
  PowerTrain& p = powerTrain();
  p.ignition = ignition;
  // A host listener of the engine-failure source traces what reaches it.
  static const bool listening = (addHostListener(kEngineFailureSource), true);
  (void)listening;
  unsigned char* engine = hostCarObject() + kEngine;
  put(engine, 32, throttle);
  put(p.engineState, 116, running);
  put(p.engineState, 88, health);
  const float torque = runFloatCallSite(kEngineSite, {floatWord(dt), floatWord(speed)}, wordOf(engine));
  char text[128];
  std::snprintf(text, sizeof text, "engine torque %.4f running %d health %.4f", torque, get<std::int32_t>(p.engineState, 116),
                get<float>(p.engineState, 88));
  trace(text);
}

void callBrake(std::int32_t wheel, float pedal, float handbrake, float omega, std::int32_t front, float dt) {
  PowerTrain& p = powerTrain();
  unsigned char* solver = hostCarObject() + kSolver;
  unsigned char* params = carObject("drivetrain");
  const std::uint32_t w = static_cast<std::uint32_t>(wheel & 3);
  unsigned char* state = p.solverState + 72 + 200 * w;
  put(state, 28, omega);
  put(p.aux, 128, front);
  put(p.controls, 96, pedal);
  put(p.controls, 112, handbrake);
  const float torque = runFloatCallSite(
      kBrakeSite, {wordOf(state), wordOf(params + 300 + 240 * w), wordOf(params), wordOf(p.controls), floatWord(dt)},
      wordOf(solver));
  char text[128];
  std::snprintf(text, sizeof text, "brake %d torque %.4f layer %u core %u", wheel, torque,
                static_cast<unsigned>(get<std::uint32_t>(state, 124)), static_cast<unsigned>(get<std::uint32_t>(state, 140)));
  trace(text);
}

void setBrakeTemperatures(std::int32_t wheel, std::uint32_t layer, std::uint32_t core) {
  unsigned char* state = powerTrain().solverState + 72 + 200 * static_cast<std::uint32_t>(wheel & 3);
  put(state, 124, layer);
  put(state, 140, core);
}

// The torque split on a four-wheel drivetrain (centre ratio 2; front axle wheels 0 and 1,
// rear axle 2 and 3, each driven with radius weight 1; wheel factors 1), every wheel turning at 10
// with inertia 1 and acceleration 0.5 and no handbrake torque, the engine torque and Features
// word given.
void callTorqueSplit(float dt, float torque, std::uint32_t features) {
  PowerTrain& p = powerTrain();
  unsigned char* solver = hostCarObject() + kSolver;
  unsigned char* params = carObject("drivetrain");
  unsigned char* w = p.solverState;
  put(params, 1600, features);
  put(params, 72, 2.0f);
  for (std::uint32_t k = 1; k <= 2; ++k) {
    put(params, 96 * k + 24, std::int32_t{1});
    put(params, 96 * k + 40, static_cast<std::int32_t>(2 * k - 2));
    put(params, 96 * k + 56, static_cast<std::int32_t>(2 * k - 1));
    put(params, 96 * k + 72, 1.0f);
  }
  for (std::uint32_t i = 0; i < 4; ++i) {
    put(params, 328 + 240 * i, 1.0f);
    put(params, 344 + 240 * i, static_cast<std::int32_t>(i < 2 ? 1 : 2));
    put(w, 4 * (50 * i + 25), 10.0f);
    put(w, 4 * (50 * i + 45), 1.0f);
    put(w, 4 * (50 * i + 21), 0.5f);
    put(w, 4 * (50 * i + 41), std::int32_t{0});
    put(p.aux, 24 + 12 * i, std::uint32_t{0});  // no handbrake torque on the wheel
  }
  put(w, 4 * 223, torque);
  const std::uint32_t result = runCallSite(kSplitSite, {floatWord(dt)}, wordOf(solver));
  char text[192];
  std::snprintf(text, sizeof text, "split result %u torque %.4f locks %.4f %.4f %.4f directions %d %d locked %d",
                static_cast<unsigned>(result), get<float>(w, 4 * 223), get<float>(w, 4 * 6), get<float>(w, 4 * 11),
                get<float>(w, 4 * 16), get<std::int32_t>(w, 4 * 141), get<std::int32_t>(w, 4 * 191),
                get<std::int32_t>(w, 4 * 361));
  trace(text);
}

bool runPowerTrainStep(const std::string& step, std::istream& in) {
  if (step == "engine") {
    float dt = 0, speed = 0, throttle = 0, health = 0;
    std::int32_t running = 0, ignition = powerTrain().ignition;
    in >> dt >> speed >> throttle >> running >> health >> ignition;
    callEngineStep(dt, speed, throttle, running, health, ignition);
  } else if (step == "torquecut") {
    std::int32_t word = 0;
    in >> word;
    put(powerTrain().cutRecord, kCutWord, word);
  } else if (step == "starter") {
    runStarter(in);
  } else if (step == "pause") {
    int ms = 0;
    in >> ms;
    Sleep(static_cast<DWORD>(ms));
  } else if (step == "brake") {
    std::int32_t wheel = 0, front = 0;
    float pedal = 0, handbrake = 0, omega = 0, dt = 0;
    in >> wheel >> pedal >> handbrake >> omega >> front >> dt;
    callBrake(wheel, pedal, handbrake, omega, front, dt);
  } else if (step == "split") {
    float dt = 0, torque = 0;
    std::string features;
    in >> dt >> torque >> features;
    callTorqueSplit(dt, torque, hexWord(features));
  } else if (step == "braketemps") {
    std::int32_t wheel = 0;
    std::uint32_t layer = 0, core = 0;
    in >> wheel >> layer >> core;
    setBrakeTemperatures(wheel, layer, core);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
