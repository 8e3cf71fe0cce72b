#include "plugin/hooks/chassis_rows.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/physics/hooks/chassis_hooks.h"
#include "plugin/physics/hooks/controller_value_hook.h"
#include "plugin/physics/hooks/spring_force_hook.h"
#include "plugin/physics/hooks/suspension_hooks.h"
#include "plugin/physics/hooks/tyre_grip_hooks.h"
#include "plugin/physics/hooks/tyre_heat_term_hooks.h"

namespace kvl::hooks {

namespace {

using host::hookAddress;
constexpr HookKind kCall = HookKind::callRedirection;

// Constants that host instructions read in place of their own; fixed for the process's life.
const float kForty = 40.0f;
const float kTyreConstants[] = {1.0f, 0.949999988f, 0.875f, 0.774999976f, 0.649999976f, 0.0250000004f};
const float kTinyConstant = 3.99999976e-07f;
const float kZero = 0.0f;

HookRow constantRow(std::uint32_t site, const float& constant, const char* name) {
  return {site, 4, HookKind::pluginAddress, reinterpret_cast<std::uintptr_t>(&constant), name};
}

}  // namespace

std::vector<HookRow> chassisPhysicsRows() {
  std::vector<HookRow> rows;
#if QZR_HOST_ABI  // the register thunks exist in the 32-bit build only
  rows.push_back({0x534613, 4, kCall, hookAddress(&physics::tyreInnerExchangeHook), "TyreHeat::innerExchange"});
  rows.push_back({0x534639, 4, kCall, hookAddress(&physics::tyreSidewallExchangeHook), "TyreHeat::sidewallExchange"});
  rows.push_back({0x5344EB, 4, kCall, hookAddress(&physics::tyreBandExchangeHook), "TyreHeat::bandExchange"});
  rows.push_back({0x534531, 4, kCall, hookAddress(&physics::tyreBandTermHook), "TyreHeat::bandTerm"});
#endif
  rows.push_back({0x536724, 4, kCall, hookAddress(&physics::tyreFlexHeatHook), "TyreModel::flexHeat"});
  rows.push_back({0x5362AB, 4, kCall, hookAddress(&physics::tyreCamberGripHook), "TyreModel::camberGrip"});
  rows.push_back({0x53E2A4, 4, kCall, hookAddress(&physics::tyreGripStepHook), "TyreModel::gripStep"});
  rows.push_back({0x53F086, 4, kCall, hookAddress(&physics::tyreGripStepHook), "TyreModel::gripStep"});
  rows.push_back(constantRow(0x5341D4, kForty, "constant 40"));
  const std::uint32_t sites[] = {0x5321D8, 0x535317, 0x535337, 0x535346, 0x53536A, 0x536703};
  for (int i = 0; i < 6; ++i) rows.push_back(constantRow(sites[i], kTyreConstants[i], "tyre constant"));
  rows.push_back(constantRow(0x52CD05, kTinyConstant, "constant 4e-7"));
  rows.push_back(constantRow(0x52CD4E, kTinyConstant, "constant 4e-7"));
  rows.push_back({0x4918EE, 4, kCall, hookAddress(&physics::forceFeedbackCurveHook), "forceFeedbackCurve"});
  rows.push_back({0x4919AC, 4, kCall, hookAddress(&physics::forceFeedbackCurveHook), "forceFeedbackCurve"});
  rows.push_back({0x53E548, 4, kCall, hookAddress(&physics::springForceHook), "springForceHook"});
  rows.push_back({0x53F168, 4, kCall, hookAddress(&physics::springForceHook), "springForceHook"});
  return rows;
}

std::vector<HookRow> chassisTickRows() {
  std::vector<HookRow> rows;
#if QZR_HOST_ABI
  rows.push_back({0x4EA1B3, 4, kCall, hookAddress(&physics::carTickHook), "carTickHook"});
  rows.push_back({0x53F386, 4, kCall, hookAddress(&physics::suspensionEventHook), "suspensionEventHook"});
  for (std::uint32_t site : {0x53E317u, 0x53F0DDu}) {
    rows.push_back({site, 4, kCall, hookAddress(&physics::suspensionEventHook2), "suspensionEventHook2"});
  }
#endif
  rows.push_back({0x53D49D, 4, kCall, hookAddress(&physics::surfaceProfileHook), "surfaceProfileHook"});
  for (std::uint32_t site : {0x52719Bu, 0x49FFE8u, 0x49FFF9u}) rows.push_back(constantRow(site, kZero, "constant 0"));
  return rows;
}

std::vector<HookRow> controllerValueRows() {
  return {{0x4CC554, 4, kCall, hookAddress(&physics::controllerValueHook), "controllerValueHook"}};
}

}  // namespace kvl::hooks
