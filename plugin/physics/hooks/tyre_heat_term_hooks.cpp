#include "plugin/physics/hooks/tyre_heat_term_hooks.h"

#include "plugin/physics/host_car.h"
#include "plugin/physics/tyre_object.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/models/tyre_model.h"

namespace kvl::physics {

using host::fieldAt;

namespace {

// The tyre cooling factors of the setup ranges (unsigned; 6 when 0).
constexpr std::size_t kFrontCooling = 3672, kRearCooling = 3688;

TyreHeatShape shapeOf(const void* tyre) {
  TyreHeatShape s;
  const void* p = tyre == nullptr ? nullptr : TyreObject::parameters(tyre);
  if (p == nullptr) return s;
  s.carcassRadius = TyreObject::carcassRadius(p);
  s.treadDepth = TyreObject::treadDepth(p);
  s.treadWidth = TyreObject::treadWidth(p);
  s.sidewallHeight = TyreObject::sidewallHeight(p);
  s.thickness = TyreObject::thickness(p);
  return s;
}

float coolingFactor(const void* ranges, std::size_t offset) {
  const std::uint32_t v = ranges == nullptr ? 0u : fieldAt<std::uint32_t>(ranges, offset);
  return v != 0 ? static_cast<float>(v) : 6.0f;
}

SidewallFlow flowOf(const void* tyre) {
  SidewallFlow f;
  if (tyre == nullptr) return f;
  const void* ranges = hostCarSetupRanges();
  f.frontCooling = coolingFactor(ranges, kFrontCooling);
  f.rearCooling = coolingFactor(ranges, kRearCooling);
  f.position = -1;
  if (const void* p = TyreObject::parameters(tyre)) f.position = TyreObject::position(p);
  if (const void* wheel = TyreObject::owner(tyre)) {
    f.wheelSpin = fieldAt<float>(wheel, 3744);
    if (const void* car = HostCar::wordPointer(wheel, 2036)) f.carSpeed = fieldAt<float>(car, 5624);
  }
  f.flexHeat = fieldAt<std::int32_t>(tyre, TyreObject::kFlexHeatFlag) != 0;
  f.flexFactor = fieldAt<float>(tyre, 456);
  return f;
}

float ambient() { return physicsVariables().air.temperature; }

}  // namespace

extern "C" float QZR_CDECL qzrTyreBandTerm(void* tyre, float a, float b) noexcept {
  return tyreBandTerm(a, b, shapeOf(tyre));
}

extern "C" float QZR_CDECL qzrTyreBandExchange(void* tyre, float a, float b, float k) noexcept {
  return tyreBandExchange(a, b, k, shapeOf(tyre), ambient());
}

extern "C" float QZR_CDECL qzrTyreSidewallExchange(void* tyre, float a, float b, float k0) noexcept {
  return tyreSidewallExchange(a, b, k0, shapeOf(tyre), flowOf(tyre), ambient());
}

extern "C" float QZR_CDECL qzrTyreInnerExchange(void* tyre, float a, float b, float k) noexcept {
  return tyreInnerExchange(a, b, k, shapeOf(tyre));
}

}  // namespace kvl::physics
