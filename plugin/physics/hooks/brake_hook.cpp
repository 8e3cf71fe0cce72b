#include "plugin/physics/hooks/brake_hook.h"

#include <cstdint>

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/differential_model.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using S = HostDrivetrainSolver;

// Within a brake corner.
constexpr std::size_t kMass = 60, kConvection = 76, kLayerFraction = 92, kRadius = 108, kSpecificHeat = 124,
                      kAbsorption = 140, kPlateArea = 156, kVentArea = 172, kInternalConvection = 188, kPistonArea = 204,
                      kShare = 236;
// Within a wheel's state record and the controls record.
constexpr std::size_t kAngularSpeed = 28, kHandbrakeFactor = 172, kBrakeInput = 96, kHandbrakeInput = 112;
// The car behind the dynamic state, its speed and handbrake word; the engine block's release.
constexpr std::size_t kStateCar = 1408, kCarSpeed = 5624, kCarHandbrake = 2148, kHandbrakeRelease = 408;

BrakeParameters cornerOf(const void* c) {
  BrakeParameters p;
  p.mass = fieldAt<float>(c, kMass);
  p.convectionFactor = fieldAt<float>(c, kConvection);
  p.layerFraction = fieldAt<float>(c, kLayerFraction);
  p.effectiveRadius = fieldAt<float>(c, kRadius);
  p.specificHeat = fieldAt<float>(c, kSpecificHeat);
  p.heatAbsorption = fieldAt<float>(c, kAbsorption);
  p.plateArea = fieldAt<float>(c, kPlateArea);
  p.ventArea = fieldAt<float>(c, kVentArea);
  p.internalConvection = fieldAt<float>(c, kInternalConvection);
  p.pistonArea = fieldAt<float>(c, kPistonArea);
  p.share = fieldAt<float>(c, kShare);
  return p;
}

// The wheel whose state record this is: 0..3, else -1.
int wheelOf(void* state, const void* wheelState) {
  const auto first = reinterpret_cast<std::uintptr_t>(state) + DrivetrainState::kWheels;
  const auto at = reinterpret_cast<std::uintptr_t>(wheelState);
  if (at < first || (at - first) % DrivetrainState::kWheelBytes != 0) return -1;
  const std::uintptr_t i = (at - first) / DrivetrainState::kWheelBytes;
  return i < 4 ? static_cast<int>(i) : -1;
}

// A rear brake's handbrake hands part of its torque to the front wheel on its side while the
// locked centre differential is released by the handbrake.
bool handsOver(const void* car, int wheel, const BrakePressure& pressure) {
  if (wheel < 2 || !(pressure.handbrake > 0.0f) || car == nullptr) return false;
  if (Features{drivetrainValues().features}.differentialKind(0) != kDiffLocked) return false;
  const void* block = HostCar::wordPointer(car, kCarEngineBlock);
  return block != nullptr && fieldAt<float>(block, kHandbrakeRelease) >= fieldAt<float>(car, kCarHandbrake);
}

}  // namespace

float QZR_THISCALL brakeTorqueHook(void* solver, void* wheelState, void* brakeParams, void* drivetrainParams,
                                   void* controls, float dt) noexcept {
  try {
    void* state = HostCar::wordPointer(solver, S::kState);
    const int wheel = state == nullptr ? -1 : wheelOf(state, wheelState);
    if (wheel < 0 || brakeParams == nullptr || controls == nullptr) return 0.0f;
    const void* car = HostCar::wordPointer(state, kStateCar);
    const BrakeParameters p = cornerOf(brakeParams);
    BrakeWheelState s;
    s.angularSpeed = fieldAt<float>(wheelState, kAngularSpeed);
    s.handbrakeFactor = fieldAt<float>(wheelState, kHandbrakeFactor);
    s.layerTemperature = fieldAt<std::uint32_t>(wheelState, DrivetrainState::kLayer);
    s.coreTemperature = fieldAt<std::uint32_t>(wheelState, DrivetrainState::kCore);
    BrakeInput in;
    in.wheel = wheel;
    in.brake = fieldAt<float>(controls, kBrakeInput);
    in.handbrake = fieldAt<float>(controls, kHandbrakeInput);
    const DrivetrainValues& values = drivetrainValues();
    in.handbrakeShare = values.handbrakeShare;
    // FrontBrakeVelSlope_QZR and RearBrakeVelSlope_QZR stay 0: the host's setup ranges hold them
    // at no place the plugin knows, so the friction does not fade with rubbing speed.
    const void* aux = S::auxRecord(solver);
    in.frontBrakes = aux != nullptr && fieldAt<std::int32_t>(aux, S::kFrontBrakes) != 0;
    in.carSpeed = car == nullptr ? 0.0f : fieldAt<float>(car, kCarSpeed);
    in.ambient = physicsVariables().air.temperature;
    in.dt = dt;
    const BrakePressure pressure = brakePressure(p, s, in);
    using Friction = float(QZR_THISCALL*)(void*, float, void*, void*, void*, float);
    const float friction =
        host::hostFunction<0x504060, Friction>()(solver, pressure.clampForce, wheelState, brakeParams, drivetrainParams, dt);
    BrakeTelemetry& telemetry = brakeTelemetryRecords()[wheel].values;
    float torque = brakeStep(p, s, in, pressure, friction, telemetry);
    fieldAt<std::uint32_t>(wheelState, DrivetrainState::kLayer) = s.layerTemperature;
    fieldAt<std::uint32_t>(wheelState, DrivetrainState::kCore) = s.coreTemperature;
    if (handsOver(car, wheel, pressure)) {
      const float m = handbrakeTransfer(pressure, torque);
      fieldAt<float>(state, 4u * (50u * static_cast<std::size_t>(wheel - 2) + 62u)) += m;
      torque -= m;
    }
    return torque;
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace kvl::physics
