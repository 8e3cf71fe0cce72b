#include "plugin/hooks/physics_rows.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/physics/hooks/drivetrain_solver_hooks.h"
#include "plugin/physics/hooks/engine_step_hook.h"
#include "plugin/physics/hooks/frame_time_step_hook.h"
#include "plugin/physics/hooks/skid_trail_hooks.h"
#include "plugin/physics/hooks/split_torque_hook.h"
#include "plugin/physics/hooks/tyre_contact_hook.h"
#include "plugin/physics/hooks/tyre_heat_hooks.h"
#include "plugin/physics/hooks/wheel_lock_hooks.h"
#include "plugin/physics/models/physics_variables.h"

namespace kvl::hooks {

const std::uint32_t kFrameTimeStepSites[] = {0x48263B, 0x4826A1, 0x482729, 0x4827BE,
                                             0x4829A4, 0x482A12, 0x482AD4, 0x482B4B};

namespace {

HookRow variableRow(std::uint32_t site, const float& variable, const char* name) {
  return {site, 4, HookKind::pluginAddress, reinterpret_cast<std::uintptr_t>(&variable), name};
}

}  // namespace

std::vector<HookRow> vehiclePhysicsRows() {
  const physics::PhysicsVariables& v = physics::physicsVariables();
  const physics::EngineConstants& e = v.engine;
  constexpr HookKind kCall = HookKind::callRedirection;
  std::vector<HookRow> rows = {
      {0x50A46E, 4, kCall, host::hookAddress(&physics::splitTorqueHook), "Differentials::splitTorque"},
      {0x50A10C, 4, kCall, host::hookAddress(&physics::solveWheelLocksHook), "Drivetrain::solveWheelLocks"},
      {0x509C86, 4, kCall, host::hookAddress(&physics::axleTorqueHook), "Drivetrain::axleTorque"},
      {0x509D74, 4, kCall, host::hookAddress(&physics::axleTorqueHook), "Drivetrain::axleTorque"},
      {0x509C34, 4, kCall, host::hookAddress(&physics::axleLockTestHook), "Drivetrain::axleLockTest"},
      {0x509E94, 4, kCall, host::hookAddress(&physics::axleLockTestHook), "Drivetrain::axleLockTest"},
      {0x50A34B, 4, HookKind::callRedirection, host::hookAddress(&physics::stickSlipHook), "Drivetrain::stickSlip"},
      variableRow(0x50A333, e.constantA, "engine constant A"),
      variableRow(0x50926D, v.driveline.first, "driveline coefficient 1"),
      variableRow(0x509303, v.driveline.second, "driveline coefficient 2"),
      {0x4E6657, 4, kCall, host::hookAddress(&physics::engineStepHook), "EngineModel::torqueStep"},
      variableRow(0x50E488, e.constantB, "engine constant B"),
      variableRow(0x50E4A3, e.constantC, "engine constant C"),
      variableRow(0x50E4AB, e.constantD, "engine constant D"),
      variableRow(0x536F11, e.constantE, "engine constant E"),
      variableRow(0x518560, e.constantF, "engine constant F"),
      variableRow(0x50ECFE, e.constantG, "engine constant G"),
      variableRow(0x5185AE, e.heatConstant, "engine heat constant"),
      variableRow(0x517EAE, e.wasteGateMaximum, "waste-gate maximum"),
      variableRow(0x517EBC, e.wasteGateMinimum, "waste-gate minimum"),
  };
  for (std::uint32_t site : {0x517D3Au, 0x517ED9u, 0x5181FDu}) rows.push_back(variableRow(site, v.air.pressure, "air pressure"));
  // These three, the two pressure multiples below and the idle band slope start non-zero (1 / p,
  // 1.15 p, 0.9871668 p of the initial 101300 Pa; -1 / 75 of the default band): the engine part
  // defines them from values that start non-zero, and host code reading 0 there before the first
  // load would scale its pressures and idle torque by nothing.
  for (std::uint32_t site : {0x517E5Au, 0x517F59u, 0x517F96u}) {
    rows.push_back(variableRow(site, v.air.inversePressure, "inverse air pressure"));
  }
  rows.push_back(variableRow(0x51821A, v.air.temperature, "ambient temperature"));
  rows.push_back(variableRow(0x518227, v.air.pressure115, "air pressure x 1.15"));
  rows.push_back(variableRow(0x518237, v.air.pressure0987, "air pressure x 0.9871668"));
  rows.push_back(variableRow(0x5183EA, v.air.density, "air density"));
  for (std::uint32_t site : {0x518A33u, 0x53428Du}) {
    rows.push_back({site, 4, HookKind::callRedirection, host::hookAddress(&physics::tyreHeatExchangeHook), "TyreHeat::exchange"});
  }
  rows.push_back(variableRow(0x5345CD, v.tyreHeatFlow, "tyre heat flow"));
  rows.push_back({0x535484, 4, kCall, host::hookAddress(&physics::clampContactHook), "TyreModel::clampContact"});
  rows.push_back(variableRow(0x5395AE, v.damage.forceLimit, "suspension damage force limit"));
  rows.push_back(variableRow(0x4E7E62, v.halfDensityRatio, "half density ratio"));
  rows.push_back(variableRow(0x53761E, e.lowerIdleBand, "lower idle band"));
  rows.push_back(variableRow(0x53763C, e.upperIdleBand, "upper idle band"));
  rows.push_back(variableRow(0x537652, e.idleBandSlope, "idle band slope"));  // -1 / 75 at start: see above
  for (std::uint32_t site : {0x537B5Bu, 0x53728Bu, 0x537351u, 0x5373E9u, 0x5374EBu, 0x537545u}) {
    rows.push_back(variableRow(site, v.differentialSecond, "differential value"));
  }
  for (std::uint32_t site : {0x5373CAu, 0x53742Au}) rows.push_back(variableRow(site, v.differentialSpeedScale, "differential speed scale"));
  rows.push_back(variableRow(0x4AE597, e.constantH, "engine constant H"));
  rows.push_back(variableRow(0x4AE5B9, e.constantJ, "engine constant J"));
  return rows;
}

std::vector<HookRow> engineMapRows() {
  return {{0x520265, 4, HookKind::callRedirection, host::hookAddress(&host::materialTableHook), "engineMapLookupHook"}};
}

std::vector<HookRow> ambientPressureRows() {
  // The hook passes on the same variable that the host's pressure operands read.
  host::ambientPressure = &physics::physicsVariables().air.pressure;
  std::vector<HookRow> rows;
  for (std::uint32_t site : {0x50E2F9u, 0x517E48u, 0x517F43u}) {
    rows.push_back({site, 4, HookKind::callRedirection, host::hookAddress(&host::pressureArgumentHook), "ambientPressureHook"});
  }
  return rows;
}

std::vector<HookRow> springVariableRows() {
  const physics::PhysicsVariables& v = physics::physicsVariables();
  return {
      variableRow(0x52E2CB, v.spring.forceScale, "spring force scale"),
      variableRow(0x52E2E4, v.spring.timeConstant, "spring time constant"),
      variableRow(0x53EA21, v.damage.forceLow, "suspension damage force low"),
      variableRow(0x53EA2D, v.damage.forceHigh, "suspension damage force high"),
      variableRow(0x53EA45, v.damage.inverseSpan, "suspension damage inverse span"),
  };
}

std::vector<HookRow> idleBandRows() {
  const float& rpm = physics::physicsVariables().engine.idleBandRpm;
  return {variableRow(0x4B0860, rpm, "idle band rpm"), variableRow(0x4B08DE, rpm, "idle band rpm")};
}

std::vector<HookRow> skidTrailRows() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  return {
      {0x5E2FCD, 4, kCall, hookAddress(&physics::skidTrailEnd), "SkidTrailRing::endTrail"},
      {0x5E33D5, 4, kCall, hookAddress(&physics::skidTrailMoveLast), "SkidTrailRing::moveLast"},
      {0x5E344D, 4, kCall, hookAddress(&physics::skidTrailAddPoint), "SkidTrailRing::addPoint"},
  };
}

std::vector<HookRow> frameTimeStepRows() {
  std::vector<HookRow> rows;
  for (std::uint32_t site : kFrameTimeStepSites) {
    rows.push_back({site, 4, HookKind::callRedirection, host::hookAddress(&physics::frameTimeStepHook), "frameTimeStepHook"});
  }
  return rows;
}

}  // namespace kvl::hooks
