#include "plugin/hooks/car_setup_hooks.h"

#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/physics/car_setup.h"

namespace kvl::hooks {
namespace {

// A read-only value of the plugin image that host code reads at 0x48F3B2.
const float kSetupConstant = 0.075f;

}  // namespace

CarSetupHooks::CarSetupHooks() : group_(std::make_shared<PatchGroup>("QZR Car Setup", 0)) {
  using host::hookAddress;
  namespace p = physics;
  constexpr HookKind kWord = HookKind::pluginAddress;
  addRows(*group_, {
                       {0x5487D0, 1, HookKind::literal, 0xC3, "ret"},
                       {0x72ED2C, 4, kWord, hookAddress(&p::CarSetup::reset), "CarSetup::reset"},
                       {0x72E72C, 4, kWord, hookAddress(&p::ChassisRanges::readOverride), "ChassisRanges::readOverride"},
                       {0x72E77C, 4, kWord, hookAddress(&p::DrivetrainRanges::readOverride), "DrivetrainRanges::readOverride"},
                       {0x72E7CC, 4, kWord, hookAddress(&p::DifferentialRanges::readOverride), "DifferentialRanges::readOverride"},
                       {0x72E81C, 4, kWord, hookAddress(&p::EngineRanges::readOverride), "EngineRanges::readOverride"},
                       {0x72E86C, 4, kWord, hookAddress(&p::SpringRanges::readOverride), "SpringRanges::readOverride"},
                       {0x72E8BC, 4, kWord, hookAddress(&p::TyreRanges::readOverride), "TyreRanges::readOverride"},
                       {0x72E90C, 4, kWord, hookAddress(&p::GeometryRanges::readOverride), "GeometryRanges::readOverride"},
                       {0x4906F2, 1, HookKind::literal, 0x7F, "7F"},
                       {0x48F3B2, 4, kWord, reinterpret_cast<std::uintptr_t>(&kSetupConstant), "0.075"},
                       {0x744ECC, 4, kWord, reinterpret_cast<std::uintptr_t>(host::HostAddress(0x5488E0).resolve()), "host 0x5488E0"},
                   });
}

}  // namespace kvl::hooks
