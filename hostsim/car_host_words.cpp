#include "hostsim/car_host_words.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include "hostsim/car_model.h"
#include "hostsim/car_telemetry_words.h"
#include "hostsim/fields.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

// Float words of one object that hold 0.
void zeros(unsigned char* object, std::initializer_list<std::uint32_t> offsets) {
  for (std::uint32_t o : offsets) put(object, o, 0.0f);
}
// `count` words from `first`, `stride` bytes apart, that hold 0.
void zeroRun(unsigned char* object, std::uint32_t first, std::uint32_t count, std::uint32_t stride = 4) {
  for (std::uint32_t k = 0; k < count; ++k) put(object, first + stride * k, 0u);
}

// A wheel's spring component (+3780): its parameter block, its state record (which points back at
// the wheel), the object whose +4 scales the high-speed rebound damping. Until a car file gives
// them, the spring's parameters hold 0, and so do the state's dampings.
void layOutSpring(unsigned char* wheel, const std::string& n) {
  unsigned char* spring = wheel + 3780;
  unsigned char* block = hostObject("spring" + n, 300);
  zeros(block, {40, 72, 88, 104, 120, 136, 152, 184, 200, 216, 232, 248, 264, 280});
  put(spring, 4, wordOf(block));
  unsigned char* state = hostObject("springstate" + n, 32);
  zeros(state, {12, 16, 20});
  put(state, 24, wordOf(wheel));
  put(spring, 8, wordOf(state));
  unsigned char* scale = hostObject("dampingscale" + n, 8);
  put(scale, 4, 0.0f);
  put(spring, 16, wordOf(scale));
  zeros(spring, {48, 52, 56});
}

// A wheel's tyre object (+3840): the tyre parameter record, the tyre state, the wheel; the tyre
// standing still and upright, without flex heat.
void layOutTyre(unsigned char* wheel, int w, const std::string& n) {
  unsigned char* tyre = wheel + 3840;
  put(tyre, 16, wordOf(tyreParameterRecord(w)));
  unsigned char* state = hostObject("tyrestate" + n, 400);
  zeros(state, {76, 80, 84, 88, 96, 100, 104, 108, 300, 304});
  zeroRun(state, 208, 8, 12);
  put(tyre, 20, wordOf(state));
  put(tyre, 1040, wordOf(wheel));
  zeros(tyre, {456, 864, 888, 940, 968, 1256});
  put(tyre, 1152, 0u);
}

// The wheel's parameter block: the geometry, bump-stop and damage values hold 0 until a car file
// gives them.
void layOutWheelParameters(unsigned char* block) {
  zeros(block, {508, 572, 976, 984, 1020, 1036, 1052, 2304, 2352, 2368, 2384, 2400, 2416});
}

}  // namespace

void layOutCarHostWords() {
  unsigned char* car = hostCarObject();
  // The car with its engine off: no speed, no pitch moment or vertical force, no raw steering
  // force, the handbrake word clear, force feedback from the plugin's curve; where it stands and
  // what telemetry reads of it and its wheels at rest.
  zeros(car, {784, 888, 2796, 5624});
  layOutCarTelemetryWords();
  put(car, 492, 0u);
  put(car, 2148, 0u);
  for (int w = 0; w < 4; ++w) {
    const std::string n = std::to_string(w);
    unsigned char* wheel = pointer(get(car, 1136 + 4 * w));
    put(wheel, 2036, wordOf(car));
    zeros(wheel, {2228, 3712, 3716, 3720, 3724, 3744});
    layOutSpring(wheel, n);
    layOutTyre(wheel, w, n);
    layOutWheelParameters(pointer(get(wheel, 52)));
  }
  // The drivetrain solver (+1200): no starter request, no scratch value, no hold flag, no
  // handbrake torque.
  unsigned char* solver = car + 1200;
  put(solver, 80, 0u);
  zeros(solver, {144, 160, 164, 168, 416, 456});
  zeroRun(solver, 192, 4);
  zeroRun(solver, 244, 16);
  // Its auxiliary record: no axle engaged, no wheel with a handbrake torque, no starter.
  unsigned char* aux = carObject("solveraux");
  zeroRun(aux, 4, 5);
  zeroRun(aux, 24, 4, 12);
  zeroRun(aux, 116, 4, 4);
  put(aux, 140, 0.0f);
  // Its dynamic state at rest: the differential and axle words, the engine torque and the
  // driveline factor, the matrix, the free flags, the axle outputs, the counters and the solve
  // flag, the clutch's words, and per wheel its words and its brake's (angular speed, handbrake
  // factor) in its 200-byte block from +72.
  unsigned char* state = carObject("solverstate");
  zeroRun(state, 12, 15);
  for (std::uint32_t o : {223u, 225u, 280u}) put(state, 4 * o, 0.0f);
  zeroRun(state, 4 * 284, 8);
  zeroRun(state, 4 * 317, 3);
  zeroRun(state, 4 * 332, 4);
  zeroRun(state, 4 * 360, 8);
  for (std::uint32_t o : {872u, 900u, 1116u, 1356u, 1372u, 1392u, 1400u}) put(state, o, 0u);
  for (std::uint32_t w = 0; w < 4; ++w) {
    for (std::uint32_t k : {21u, 25u, 29u, 37u, 40u, 41u, 45u, 62u}) put(state, 4 * (50 * w + k), 0u);
    zeros(state, {72 + 200 * w + 28, 72 + 200 * w + 172});
  }
  // The drivetrain block: no Features, brake temperature thresholds, preloads or inertias until a
  // car file gives them.
  unsigned char* drivetrain = carObject("drivetrain");
  for (std::uint32_t o : {1272u, 1304u, 1600u}) put(drivetrain, o, 0u);
  for (std::uint32_t d = 0; d < 3; ++d) zeros(drivetrain, {96 * d + 24, 96 * d + 88});
  zeros(drivetrain, {1636, 1652, 2660});
  // The engine and its state and damage record: no wear, no damage, no friction torque.
  unsigned char* engine = car + 1680;
  put(engine, 32, 0.0f);
  zeros(carObject("enginestate"), {8, 24, 40, 56, 84, 88, 92, 96, 116});
  zeros(carObject("enginedynamic"), {624});
}

}  // namespace hostsim
