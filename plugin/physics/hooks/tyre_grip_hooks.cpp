#include "plugin/physics/hooks/tyre_grip_hooks.h"

#include <cmath>
#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/tyre_object.h"
#include "plugin/physics/models/tyre_model.h"

namespace kvl::physics {

using host::fieldAt;
using Word = std::uint32_t;

namespace {

// The setup-range percentages of the tyres' performance on tarmac, gravel and snow: the renamed
// Gear6OptionsMin, Gear6OptionsMax and Gear7OptionsMin, on the Gear options' 16-byte stride that
// puts Gear3OptionsMin (Features) at +3640 and Gear5OptionsMax (driveline loss) at +3720.
constexpr std::size_t kPerformanceTarmac = 3736, kPerformanceGravel = 3752, kPerformanceSnow = 3768;

void scaleFloats(void* object, std::size_t offset, int count, float factor) {
  for (int i = 0; i < count; ++i) fieldAt<float>(object, offset + 4 * i) *= factor;
}

}  // namespace

Word QZR_THISCALL tyreGripStepHook(void* tyre, void* contact, Word a2, Word a3, Word a4, Word a5, Word a6, Word a7,
                                   Word a8, Word a9, Word a10, Word a11, Word a12, Word a13, Word a14, Word a15,
                                   Word a16) noexcept {
  using HostGrip = Word(QZR_THISCALL*)(void*, void*, Word, Word, Word, Word, Word, Word, Word, Word, Word, Word, Word,
                                       Word, Word, Word, Word);
  const auto hostGrip = [&] {
    return host::hostFunction<0x5360C0, HostGrip>()(tyre, contact, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13,
                                                     a14, a15, a16);
  };
  try {
    void* params = TyreObject::parameters(tyre);
    if (params == nullptr || contact == nullptr) return hostGrip();
    unsigned char saved[TyreObject::kGripTablesSize];
    std::memcpy(saved, static_cast<unsigned char*>(params) + TyreObject::kGripTables, sizeof saved);
    // The contact record is the host's for this call: it keeps the reduced values.
    const float f = speedGripFactor(fieldAt<float>(tyre, 864));
    for (std::size_t o : {72u, 88u, 120u}) fieldAt<float>(contact, o) *= f;
    const void* ranges = hostCarSetupRanges();
    if (ranges != nullptr) {
      const float scale = performanceScale(fieldAt<std::int32_t>(contact, 328), TyreObject::type(params),
                                           fieldAt<std::uint32_t>(ranges, kPerformanceTarmac),
                                           fieldAt<std::uint32_t>(ranges, kPerformanceGravel),
                                           fieldAt<std::uint32_t>(ranges, kPerformanceSnow));
      if (scale != 1.0f) scaleFloats(params, TyreObject::kGripTables, 16, scale);
    }
    Word result = 0;
    try {
      result = hostGrip();
    } catch (...) {
    }
    std::memcpy(static_cast<unsigned char*>(params) + TyreObject::kGripTables, saved, sizeof saved);
    return result;
  } catch (...) {
    return 0;
  }
}

Word QZR_THISCALL tyreCamberGripHook(void* tyre) noexcept {
  using HostCamber = Word(QZR_THISCALL*)(void*);
  try {
    void* params = TyreObject::parameters(tyre);
    if (params != nullptr) {
      // Left scaled: the rest of the host's grip routine (0x5360C0), which makes this call, reads
      // them, and the grip step puts the values it saved back once that routine returns.
      const CamberGrip g = camberGrip(fieldAt<float>(tyre, 940));
      scaleFloats(params, 580, 8, g.factor);
      if (g.lateralToo) scaleFloats(params, TyreObject::kGripTables, 8, g.factor);
    }
    return host::hostFunction<0x5338A0, HostCamber>()(tyre);
  } catch (...) {
    return 0;
  }
}

Word QZR_THISCALL tyreFlexHeatHook(void* tyre, Word a1, Word a2, Word a3) noexcept {
  using HostFlex = Word(QZR_THISCALL*)(void*, Word, Word, Word);
  try {
    if (fieldAt<std::int32_t>(tyre, TyreObject::kFlexHeatFlag) == 0) {
      fieldAt<float>(tyre, 1256) = 0.0f;
      return host::hostFunction<0x534090, HostFlex>()(tyre, a1, a2, a3);
    }
    const void* params = TyreObject::parameters(tyre);
    const float e = flexHeatFactor(fieldAt<float>(tyre, 940), params == nullptr ? 0.0f : TyreObject::flexHeatFactor(params));
    float& flex = fieldAt<float>(tyre, 968);
    fieldAt<float>(tyre, 1256) = std::fabs(flex * fieldAt<float>(tyre, 888)) * e;
    const float saved = flex;
    flex = saved * e;
    Word result = 0;
    try {
      result = host::hostFunction<0x534090, HostFlex>()(tyre, a1, a2, a3);
    } catch (...) {
    }
    flex = saved;
    return result;
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::physics
