#include "hostsim/car_telemetry_words.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "hostsim/car_model.h"
#include "hostsim/fields.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

// The car (7520 bytes): the footbrake and handbrake pressures; the radiator coolant, engine
// coolant and engine temperatures (kelvin); the body's position and motion, three floats each;
// the wheel pointers; per wheel w a 200-byte brake record from +3032 + 200 w, whose layer and disk
// temperatures (micro-kelvins) and wear are unsigned counts.
constexpr std::uint32_t kFootbrakePressure = 1312, kHandbrakePressure = 1328;
constexpr std::uint32_t kRadiatorCoolant = 4464, kEngineCoolant = 4472, kEngineTemperature = 5004;
constexpr std::uint32_t kPosition = 320, kAngularVelocity = 400, kLinearVelocity = 448;
constexpr std::uint32_t kLinearAcceleration = 560, kAngularAcceleration = 576;
constexpr std::uint32_t kAverageLinearAcceleration = 592, kAverageAngularAcceleration = 608;
constexpr std::uint32_t kWheels = 1136;
constexpr std::uint32_t kBrakeRecords = 3032, kBrakeRecordBytes = 200;
constexpr std::uint32_t kBrakeLayer = 124, kBrakeDisk = 140, kBrakeWear = 196;

// A wheel (5152 bytes): its suspension's deflection and deflection velocity; its tyre's gas
// temperature and pressure, eight tread segments 12 bytes apart (temperature first), the tread
// and tyre temperatures and the segment on the road; the radius (+2720); the roll-bar, spring,
// damping and strut forces; the helper-spring flag; the inner and outer bump deflection
// velocities; the pointer to the tyre's eight wear values.
constexpr std::uint32_t kDeflection = 1468, kDeflectionVelocity = 1484;
constexpr std::uint32_t kGasTemperature = 1812, kGasPressure = 1816;
constexpr std::uint32_t kSegments = 1920, kSegmentBytes = 12;
constexpr std::uint32_t kTreadTemperature = 2012, kTyreTemperature = 2016, kContactSegment = 2020;
constexpr std::uint32_t kRadius = 2720;
constexpr std::uint32_t kRollbarForce = 3696, kSpringForce = 3700, kDampingForce = 3704, kStrutForce = 3708;
constexpr std::uint32_t kHelperSpringActive = 3800, kInnerBumpVelocity = 3816, kOuterBumpVelocity = 3820;
constexpr std::uint32_t kWearArray = 4884;
constexpr int kSegmentCount = 8;

// The atmosphere before its first update: 293.15 K and 101300 Pa.
constexpr double kAmbientKelvin = 293.15, kAmbientPressure = 101300.0;

// What the simulated game keeps of the car's heat and its tyres between frames, in double so
// that slow changes are not lost to a float's rounding; the host words are its float views.
struct Tyre {
  double segments[kSegmentCount];
  double tread, carcass, gas;
  double wear[kSegmentCount];
};
struct Heat {
  double engine, engineCoolant, radiatorCoolant;
  double averageAcceleration;
  Tyre tyres[4];
};
Heat heat;

unsigned char* car() { return hostCarObject(); }
unsigned char* wheel(int w) { return pointer(get(car(), kWheels + 4 * w)); }

// A value that follows `target` with the time constant `tau` over `seconds`.
double follow(double value, double target, double seconds, double tau) {
  return value + (target - value) * (1.0 - std::exp(-seconds / tau));
}

void putTyre(unsigned char* w, const Tyre& t, std::uint32_t contact) {
  for (int k = 0; k < kSegmentCount; ++k) put(w, kSegments + kSegmentBytes * k, static_cast<float>(t.segments[k]));
  put(w, kTreadTemperature, static_cast<float>(t.tread));
  put(w, kTyreTemperature, static_cast<float>(t.carcass));
  put(w, kGasTemperature, static_cast<float>(t.gas));
  // The tyre's gas, filled at the ambient pressure, follows its temperature.
  put(w, kGasPressure, static_cast<float>(kAmbientPressure * t.gas / kAmbientKelvin));
  put(w, kContactSegment, contact);
  unsigned char* wear = pointer(get(w, kWearArray));
  for (int k = 0; k < kSegmentCount; ++k) put(wear, 4 * k, static_cast<float>(t.wear[k]));
}

void putHeat(unsigned char* c) {
  put(c, kEngineTemperature, static_cast<float>(heat.engine));
  put(c, kEngineCoolant, static_cast<float>(heat.engineCoolant));
  put(c, kRadiatorCoolant, static_cast<float>(heat.radiatorCoolant));
}

}  // namespace

void layOutCarTelemetryWords() {
  unsigned char* c = car();
  put(c, kFootbrakePressure, 0.0f);
  put(c, kHandbrakePressure, 0.0f);
  // At the origin (+328 is the altitude too: sea level), nothing moving.
  for (std::uint32_t row : {kPosition, kAngularVelocity, kLinearVelocity, kLinearAcceleration, kAngularAcceleration,
                            kAverageLinearAcceleration, kAverageAngularAcceleration}) {
    putRow(c, row, 0.0f, 0.0f, 0.0f);
  }
  heat.engine = heat.engineCoolant = heat.radiatorCoolant = kAmbientKelvin;
  heat.averageAcceleration = 0;
  putHeat(c);
  for (int w = 0; w < 4; ++w) {
    unsigned char* brake = c + kBrakeRecords + kBrakeRecordBytes * w;
    put(brake, kBrakeLayer, static_cast<std::uint32_t>(kAmbientKelvin * 1e6));
    put(brake, kBrakeDisk, static_cast<std::uint32_t>(kAmbientKelvin * 1e6));
    put(brake, kBrakeWear, 0u);
    unsigned char* wh = wheel(w);
    for (std::uint32_t o : {kDeflection, kDeflectionVelocity, kRollbarForce, kSpringForce, kDampingForce, kStrutForce,
                            kInnerBumpVelocity, kOuterBumpVelocity}) {
      put(wh, o, 0.0f);
    }
    put(wh, kHelperSpringActive, 0);
    put(wh, kWearArray, wordOf(hostObject("wear" + std::to_string(w), 4 * kSegmentCount)));
    Tyre& t = heat.tyres[w];
    for (int k = 0; k < kSegmentCount; ++k) {
      t.segments[k] = kAmbientKelvin;
      t.wear[k] = 0;
    }
    t.tread = t.carcass = t.gas = kAmbientKelvin;
    putTyre(wh, t, 0);
  }
}

void driveCarTelemetryWords(const DrivenMotion& m) {
  unsigned char* c = car();
  const double dt = m.seconds;
  // Straight ahead along z: no rotation; the average acceleration over about half a second.
  const float z = get<float>(c, kPosition + 8) + m.speed * m.seconds;
  putRow(c, kPosition, 1.0f, 0.5f, z);
  putRow(c, kLinearVelocity, 0.0f, 0.0f, m.speed);
  putRow(c, kLinearAcceleration, 0.0f, 0.0f, m.acceleration);
  heat.averageAcceleration = follow(heat.averageAcceleration, m.acceleration, dt, 0.5);
  putRow(c, kAverageLinearAcceleration, 0.0f, 0.0f, static_cast<float>(heat.averageAcceleration));
  // The engine warms with the throttle, its coolant after it and the radiator's after that.
  heat.engine = follow(heat.engine, kAmbientKelvin + 85.0 * m.throttle, dt, 300.0);
  heat.engineCoolant = follow(heat.engineCoolant, heat.engine, dt, 60.0);
  heat.radiatorCoolant = follow(heat.radiatorCoolant, heat.engineCoolant, dt, 120.0);
  putHeat(c);
  for (int w = 0; w < 4; ++w) {
    unsigned char* wh = wheel(w);
    // The suspension: the rear sits down and the front rises as the car speeds up, and the road's
    // ripple moves each wheel; the spring and damper forces follow, with no roll.
    const double side = w < 2 ? -1.0 : 1.0, phase = 1.3 * z + w;
    const double deflection = 0.05 + side * 0.0004 * m.acceleration + 0.002 * std::sin(phase);
    const double velocity = 0.002 * 1.3 * m.speed * std::cos(phase);
    const double spring = 30000.0 * deflection, damping = 2500.0 * velocity;
    put(wh, kDeflection, static_cast<float>(deflection));
    put(wh, kDeflectionVelocity, static_cast<float>(velocity));
    put(wh, kSpringForce, static_cast<float>(spring));
    put(wh, kDampingForce, static_cast<float>(damping));
    put(wh, kStrutForce, static_cast<float>(spring + damping));
    // The tyre: the segment on the road after the distance rolled; the tread warms towards a
    // temperature that rises with the speed (the segment on the road the fastest), the carcass
    // after the tread and the gas after the carcass; the segment on the road wears.
    const double circumference = 2.0 * 3.14159265358979 * get<float>(wh, kRadius);
    const auto contact =
        circumference > 0 ? static_cast<std::uint32_t>(std::fmod(z / circumference, 1.0) * kSegmentCount) % kSegmentCount : 0u;
    Tyre& t = heat.tyres[w];
    const double running = kAmbientKelvin + 1.2 * m.speed;
    double sum = 0;
    for (std::uint32_t k = 0; k < kSegmentCount; ++k) {
      t.segments[k] = follow(t.segments[k], running, dt, k == contact ? 20.0 : 60.0);
      sum += t.segments[k];
    }
    t.tread = sum / kSegmentCount;
    t.carcass = follow(t.carcass, t.tread, dt, 30.0);
    t.gas = follow(t.gas, t.carcass, dt, 60.0);
    t.wear[contact] += 8e-6 * m.speed * dt;
    putTyre(wh, t, contact);
  }
}

}  // namespace hostsim
