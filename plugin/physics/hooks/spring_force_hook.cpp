#include "plugin/physics/hooks/spring_force_hook.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/spring_damper_model.h"

namespace kvl::physics {

using host::fieldAt;

namespace {

// The spring parameter block's words the hook changes for one host call.
constexpr std::size_t kEngage = 40, kStiffness = 152, kBumpDamping = 216, kBumpBreak = 232, kReboundBreak = 248,
                      kReboundDamping = 280;

bool progressiveBumpStops() {
  const void* ranges = hostCarSetupRanges();
  const void* setup = hostCarSetup();
  return ranges != nullptr && setup != nullptr && (fieldAt<std::uint32_t>(ranges, 3640) & 0x20000u) != 0 &&
         (fieldAt<std::uint32_t>(setup, 1692) & 1u) != 0;
}

}  // namespace

std::uint32_t QZR_THISCALL springForceHook(void* component, std::uint32_t position, float length, float velocity,
                                           std::uint32_t a, std::uint32_t b, std::uint32_t c) noexcept {
  using HostSpring = void(QZR_THISCALL*)(void*, std::uint32_t, float, float, std::uint32_t, std::uint32_t, std::uint32_t);
  using HostFinish = std::uint32_t(QZR_THISCALL*)(void*);
  try {
    void* block = HostCar::wordPointer(component, 4);
    void* state = HostCar::wordPointer(component, 8);
    if (block == nullptr || state == nullptr) {
      host::hostFunction<0x52E090, HostSpring>()(component, position, length, velocity, a, b, c);
      return host::hostFunction<0x52DD70, HostFinish>()(component);
    }
    void* wheel = HostCar::wordPointer(state, 24);
    const void* wheelBlock = wheel == nullptr ? nullptr : HostCar::wordPointer(wheel, 52);

    BumpStopInput in;
    in.length = length;
    in.engageLength = fieldAt<float>(block, kEngage);
    in.travel = wheelBlock == nullptr ? 0.0f : bumpStopTravel(fieldAt<float>(wheelBlock, 1052));
    in.progressive = progressiveBumpStops();
    in.stiffness = fieldAt<float>(block, kStiffness);
    in.damping = fieldAt<float>(block, kBumpDamping);
    in.velocity = velocity;
    in.reboundRatio = wheelBlock == nullptr ? 0.0f : fieldAt<float>(wheelBlock, 508);
    const BumpStop stop = bumpStopFor(in);
    fieldAt<float>(component, 48) = stop.factorOutput;
    fieldAt<float>(component, 52) = stop.stiffnessOutput;
    fieldAt<float>(component, 56) = stop.dampingOutput;

    const float saved[] = {fieldAt<float>(block, kStiffness), fieldAt<float>(block, kBumpDamping),
                           fieldAt<float>(block, kBumpBreak), fieldAt<float>(block, kReboundBreak),
                           fieldAt<float>(block, kReboundDamping)};
    fieldAt<float>(block, kStiffness) = stop.stiffness;
    fieldAt<float>(block, kBumpDamping) = stop.damping;

    const void* scaleObject = HostCar::wordPointer(component, 16);
    HighSpeedInput hs;
    hs.bumpBreak = saved[2];
    hs.reboundBreak = saved[3];
    hs.reboundDamping = saved[4];
    hs.reboundScale = scaleObject == nullptr ? 0.0f : fieldAt<float>(scaleObject, 4);
    hs.bumpDamping = fieldAt<float>(state, 20);
    hs.velocity = velocity;
    hs.activeBump = fieldAt<float>(state, 12);
    hs.activeRebound = fieldAt<float>(state, 16);
    const HighSpeedDamping d = highSpeedDampingFor(hs);
    fieldAt<float>(block, kBumpBreak) = d.bumpBreak;
    fieldAt<float>(block, kReboundBreak) = d.reboundBreak;
    fieldAt<float>(block, kReboundDamping) = d.reboundDamping;
    fieldAt<float>(state, 12) = d.activeBump;
    fieldAt<float>(state, 16) = d.activeRebound;
    if (wheel != nullptr) {
      fieldAt<float>(wheel, 3712) = d.activeBump;
      fieldAt<float>(wheel, 3716) = d.activeRebound;
      fieldAt<float>(wheel, 3720) = d.bumpBreak;
      fieldAt<float>(wheel, 3724) = d.reboundBreak;
    }

    try {
      host::hostFunction<0x52E090, HostSpring>()(component, position, length, velocity, a, b, c);
    } catch (...) {
    }
    fieldAt<float>(block, kStiffness) = saved[0];
    fieldAt<float>(block, kBumpDamping) = saved[1];
    fieldAt<float>(block, kBumpBreak) = saved[2];
    fieldAt<float>(block, kReboundBreak) = saved[3];
    fieldAt<float>(block, kReboundDamping) = saved[4];
    return host::hostFunction<0x52DD70, HostFinish>()(component);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::physics
