#include "plugin/physics/engine_part.h"

#include <cstring>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_audio.h"
#include "plugin/physics/car_file_reads.h"
#include "plugin/physics/car_load_maths.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/atmosphere.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using B = EngineBlock;

// The seventeen gains written from +9812 at every load of a car with the plugin's engine.
constexpr float kGains[17] = {0.0001f, 0.005f, 0.015f, 0.05f, 0.1f,   0.2f,  0.35f, 0.55f, 0.7f,
                              0.8f,    0.875f, 0.925f, 0.95f, 0.97f, 0.985f, 0.995f, 1.0f};
// The host sound system's two words that follow the engine's constants H and J.
constexpr std::size_t kSoundConstantH = 268556, kSoundConstantJ = 268568;
// The host car's two idle words, the engine record's two coolant bounds, its oil temperature and
// its two gas states. The states lie 16 bytes apart, the size of the tyre's gas state (temperature
// +4, pressure +8, volume +12 of its +96): the same record, so the gas constant is the word at +0.
constexpr std::size_t kCarIdleWords[2] = {4072, 4076};
constexpr std::size_t kCoolantBound = 36, kRadiatorBound = 28, kOilTemperature = 572;
constexpr std::size_t kGasStates[2] = {96, 112}, kGasPressure = 8;

struct ConvertedEngine {
  ConvertedBlocks blocks;
  std::uint32_t flags = 0;  // the engine-type word of the block converted last
};
ConvertedEngine& convertedEngine() {
  static ConvertedEngine c;
  return c;
}

std::uint8_t* pointerAt(const void* object, std::size_t offset) {
  return static_cast<std::uint8_t*>(HostCar::wordPointer(object, offset));
}

void scaleTurboMaps(std::uint8_t* e, std::size_t countOffset, std::size_t listOffset, float factor) {
  if (!(factor > 0.0f)) return;
  const std::int32_t count = fieldAt<std::int32_t>(e, countOffset);
  std::uint8_t* points = pointerAt(e, listOffset);
  if (points == nullptr || count <= 0) return;
  for (std::int32_t i = 0; i < count; ++i) fieldAt<float>(points, 12u * i + 4) *= factor;
}

// The in-place conversions of a freshly parsed block: the torque curve from its points (speeds to
// rad/s), the inlet flow rows and words scaled once, the turbo maps, the gains. Nothing is
// written back before the curve is built, so a curve that throws leaves the block as parsed.
std::unique_ptr<LinearSpline> convertBlock(std::uint8_t* e) {
  float speeds[16], torques[16];
  for (int n = 0; n < 16; ++n) {
    speeds[n] = fieldAt<float>(e, B::kTorqueSpeeds + B::kTorquePointBytes * n);
    torques[n] = fieldAt<float>(e, B::kTorques + B::kTorquePointBytes * n);
  }
  auto curve = std::make_unique<LinearSpline>();
  buildTorqueCurve(speeds, torques, *curve);
  for (int n = 0; n < 16; ++n) fieldAt<float>(e, B::kTorqueSpeeds + B::kTorquePointBytes * n) = speeds[n];

  const float l = inletFlowScale(fieldAt<float>(e, B::kInletPipeArea), fieldAt<float>(e, B::kCylinderVolume));
  for (std::size_t row = 0; row < B::kFlowRowCount; ++row) {
    std::uint8_t* r = e + B::kFlowRows + B::kFlowRowBytes * row;
    for (std::size_t o : {0u, 4u, 8u, 12u, 16u, 20u}) fieldAt<float>(r, o) *= l;
  }
  for (std::size_t o : B::kFlowWords) fieldAt<float>(e, o) *= l;
  scaleTurboMaps(e, B::kCompressorMapCount, B::kCompressorMaps, fieldAt<float>(e, B::kCompressorCoefficient));
  scaleTurboMaps(e, B::kTurbineMapCount, B::kTurbineMaps, fieldAt<float>(e, B::kTurbineCoefficient));
  std::memcpy(e + B::kGains, kGains, sizeof kGains);
  return curve;
}

void publishToHost(std::uint8_t* e, void* car, void* dynamic, const EngineConstants& c) {
  if (void* audio = host::HostAudio::instance()) {
    if (void* sound = host::HostAudio::soundSystem(audio)) {
      fieldAt<float>(sound, kSoundConstantH) = c.constantH;
      fieldAt<float>(sound, kSoundConstantJ) = c.constantJ;
    }
  }
  if (car != nullptr) {
    for (std::size_t o : kCarIdleWords) fieldAt<float>(car, o) = c.idle * 1.2f;
  }
  if (dynamic != nullptr) {
    fieldAt<float>(dynamic, kCoolantBound) = fieldAt<float>(e, B::kCoolantUpperBound);
    fieldAt<float>(dynamic, kRadiatorBound) = fieldAt<float>(e, B::kRadiatorUpperBound);
    fieldAt<float>(dynamic, kOilTemperature) = 353.15f;
    for (std::size_t g : kGasStates) {
      fieldAt<float>(dynamic, g) = 287.0f;
      fieldAt<float>(dynamic, g + kGasPressure) = physicsVariables().air.pressure * 1.088845f;
    }
  }
  if (fieldAt<float>(e, B::kEngineMass) > 0.0f) fieldAt<float>(e, B::kHostEngineMass) = fieldAt<float>(e, B::kEngineMass);
}

}  // namespace

EngineRuntime& engineRuntime() {
  static EngineRuntime runtime;
  return runtime;
}

float carRevLimit(const void* car) {
  const void* block = car == nullptr ? nullptr : HostCar::wordPointer(car, kCarEngineBlock);
  return revLimitRadPerSecond(block == nullptr ? 0.0f : fieldAt<float>(block, kRevLimitRpm));
}

void updateAtmosphere(const void* car) {
  if (car != nullptr) physicsVariables().air = atmosphereAt(fieldAt<float>(car, 328));
}

void setupEngine(void* engineObject) {
  EngineRuntime& runtime = engineRuntime();
  PhysicsVariables& v = physicsVariables();
  // The host's engine until this set-up has finished.
  runtime.flags = 0;
  std::uint8_t* e = pointerAt(engineObject, HostEngine::kBlock);
  void* car = pointerAt(engineObject, HostEngine::kCar);
  void* dynamic = pointerAt(engineObject, HostEngine::kDynamic);
  if (e == nullptr) {
    runtime.curve.reset();
    return;
  }
  ConvertedEngine& converted = convertedEngine();
  // A block converted since the host last read a car file keeps its values, its curve and its
  // flags.
  const std::uint32_t reads = carFileReads();
  const bool again = converted.blocks.converted(e, reads);
  if (!again) runtime.curve.reset();

  EngineSetupValues s;
  s.flags = again ? converted.flags : fieldAt<std::uint32_t>(e, B::kEngineType);
  if (const void* ranges = hostCarSetupRanges()) {
    s.idleRpm = fieldAt<std::uint32_t>(ranges, EngineRangeWords::kIdleRpm);
    s.maxTorque = fieldAt<std::uint32_t>(ranges, EngineRangeWords::kMaxTorque);
    s.brakeCoefficient = fieldAt<std::uint32_t>(ranges, EngineRangeWords::kBrakeCoefficient);
  }
  const void* block = car == nullptr ? nullptr : HostCar::wordPointer(car, kCarEngineBlock);
  s.revLimitRpm = block == nullptr ? 0.0f : fieldAt<float>(block, kRevLimitRpm);
  s.dissipatedHeatFraction = fieldAt<float>(e, B::kDissipatedHeat);
  s.wasteGateMinimum = fieldAt<float>(e, B::kWasteGateMinimum);
  s.wasteGateMaximum = fieldAt<float>(e, B::kWasteGateMaximum);
  // The host's constants stay until the curve is built.
  v.engine = EngineConstants{};
  const EngineConstants constants = engineConstantsFor(s);
  updateAtmosphere(car);

  if (s.flags & kEngineModelBit) {
    if (!again) runtime.curve = convertBlock(e);
    publishToHost(e, car, dynamic, constants);
  }
  v.engine = constants;
  if (runtime.curve) runtime.curve->finish();
  runtime.window.reset();
  if (!again) {
    fieldAt<std::uint32_t>(e, B::kEngineType) = s.flags & kEngineHostBit;
    converted.blocks.remember(e, reads);
    converted.flags = s.flags;
  }
  runtime.flags = s.flags;
}

}  // namespace kvl::physics
