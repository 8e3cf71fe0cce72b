#include "plugin/physics/wheel_setup.h"

#include <cmath>
#include <cstring>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/car_file_reads.h"
#include "plugin/physics/car_load_maths.h"
#include "plugin/physics/car_load_pass.h"
#include "plugin/physics/car_part_setups.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/tyre_object.h"
#include "plugin/physics/models/physics_variables.h"
#include "plugin/physics/models/tyre_model.h"
#include "plugin/physics/setup_parameter_check.h"

namespace kvl::physics {

using host::fieldAt;

namespace {

constexpr std::size_t kSpringComponent = 3780, kTyreComponent = 3840, kWheelCar = 2036;
constexpr std::size_t kGeometryRanges = 6928, kGeometryRangesSize = 800;
constexpr std::size_t kSpringRanges = 5092, kSpringRangesSize = 396;
constexpr std::size_t kTyreRecordBytes = 788;
constexpr float kGasConstant = 287.0f;

// Blocks the pass scaled in place, once per car file the host reads: a second pass without a new
// read leaves them, whatever the host wrote into them meanwhile.
ConvertedBlocks& scaledWheelBlocks() {
  static ConvertedBlocks blocks;
  return blocks;
}
ConvertedBlocks& scaledTyreRecords() {
  static ConvertedBlocks blocks;
  return blocks;
}

void* wordPointer(const void* object, std::size_t offset) { return HostCar::wordPointer(object, offset); }

bool check(void* block, std::size_t value, const void* ranges, std::size_t minimum, std::size_t maximum, const char* name,
           std::int32_t index) {
  return checkSetupParameter(&fieldAt<float>(block, value), fieldAt<float>(ranges, minimum), fieldAt<float>(ranges, maximum),
                             name, index);
}

void scale(void* object, std::size_t offset, int count, float factor) {
  for (int i = 0; i < count; ++i) fieldAt<float>(object, offset + 4 * i) *= factor;
}

float carScaleOf(const void* wheel) {
  const void* car = wordPointer(wheel, kWheelCar);
  return car == nullptr ? 1.0f : carTimeScale(car);
}

void setUpSpringDamper(void* wheel, std::int32_t w, const void* ranges, float s) {
  void* block = wordPointer(static_cast<std::uint8_t*>(wheel) + kSpringComponent, 4);
  if (block == nullptr) return;
  const std::size_t r = kSpringRanges + kSpringRangesSize * static_cast<std::size_t>(w);
  check(block, 72, ranges, r + 24, r + 40, "SpringLength", w);
  check(block, 88, ranges, r + 72, r + 88, "SpringStiffness", w);
  check(block, 120, ranges, r + 120, r + 136, "HelperSpringLength", w);
  fieldAt<float>(block, 104) = 0.4f * fieldAt<float>(block, 120);
  check(block, 136, ranges, r + 168, r + 184, "HelperSpringStiffness", w);
  check(block, 184, ranges, r + 216, r + 232, "DampingBump", w);
  check(block, 200, ranges, r + 264, r + 280, "DampingRebound", w);
  check(block, 264, ranges, r + 312, r + 328, "DampingBumpHighSpeed", w);
  check(block, 232, ranges, r + 360, r + 376, "BumpHighSpeedBreak", w);

  const bool front = w < 2;
  const void* setup = hostCarSetup();
  const std::size_t axle = front ? 0 : 1;
  const float reboundBreak = setup == nullptr ? 0.0f : fieldAt<float>(setup, 1296 + 32 * axle);
  const float reboundDamping = setup == nullptr ? 0.0f : fieldAt<float>(setup, 1312 + 32 * axle);
  fieldAt<float>(block, 248) = 0.0f;
  fieldAt<float>(block, 280) = 0.0f;
  const void* car = wordPointer(wheel, kWheelCar);
  const void* drivetrain = car == nullptr ? nullptr : wordPointer(car, 1204);
  const bool highSpeed = drivetrain != nullptr && (fieldAt<std::uint32_t>(drivetrain, 1600) & 0x10000u) != 0;
  if (highSpeed && reboundBreak > 0.0f && reboundDamping > 0.0f) {
    fieldAt<float>(block, 248) = reboundBreak;
    fieldAt<float>(block, 280) = reboundDamping;
    check(block, 248, ranges, r + 360, r + 376, front ? "HighSpeedBreakReboundFront_QZR" : "HighSpeedBreakReboundRear_QZR", -1);
    check(block, 280, ranges, r + 312, r + 328,
          front ? "HighSpeedDampingReboundFront_QZR" : "HighSpeedDampingReboundRear_QZR", -1);
  }

  if (setup != nullptr) {
    float stiffness = fieldAt<float>(setup, 1360 + 48 * axle);
    float bump = fieldAt<float>(setup, 1376 + 48 * axle);
    float rebound = fieldAt<float>(setup, 1392 + 48 * axle);
    bool limits = true;
    for (std::size_t o : {4264u, 4280u, 4296u, 4312u, 4328u, 4344u}) limits = limits && fieldAt<float>(ranges, o) > 0.0f;
    if (limits && stiffness > 0.0f && bump > 0.0f && rebound > 0.0f) {
      const auto limit = [&](float* v, std::size_t lo, std::size_t hi, const char* name) {
        checkSetupParameter(v, fieldAt<float>(ranges, lo), fieldAt<float>(ranges, hi), name, -1);
      };
      limit(&stiffness, 4264, 4280, front ? "BumpStopStiffnessFront_QZR" : "BumpStopStiffnessRear_QZR");
      limit(&bump, 4312, 4328, front ? "BumpStopDampingBumpFront_QZR" : "BumpStopDampingBumpRear_QZR");
      limit(&rebound, 4312, 4328, front ? "BumpStopDampingReboundFront_QZR" : "BumpStopDampingReboundRear_QZR");
      fieldAt<float>(block, 152) = stiffness;
      fieldAt<float>(block, 216) = bump;
      void* wheelBlock = wordPointer(wheel, 52);
      if (bump > 0.0f && wheelBlock != nullptr) fieldAt<float>(wheelBlock, 508) = rebound / bump;
    }
  }
  physicsVariables().spring = springConstantsFor(s);
}

TyreSizes sizesOf(const void* p) {
  TyreSizes t;
  t.carcassRadius = TyreObject::carcassRadius(p);
  t.treadDepth = TyreObject::treadDepth(p);
  t.treadWidth = TyreObject::treadWidth(p);
  t.secondWidth = fieldAt<float>(p, 204);
  t.coverage = fieldAt<float>(p, 188);
  t.thickness = TyreObject::thickness(p);
  t.sidewallHeight = TyreObject::sidewallHeight(p);
  return t;
}

void setUpTyre(void* wheel, const std::uint8_t* y, float s) {
  const void* tyre = static_cast<std::uint8_t*>(wheel) + kTyreComponent;
  void* p = TyreObject::parameters(tyre);
  void* state = TyreObject::pointerAt(tyre, 20);
  if (p == nullptr || state == nullptr) return;
  // The tyre pressure is not range-checked: the host's setup ranges hold the pressure range at no
  // place the plugin knows.
  std::uint8_t none[kTyreRecordBytes] = {};
  if (y == nullptr) y = none;
  if (fieldAt<float>(y, 124) > 0.0f && fieldAt<float>(y, 140) > 0.0f) {
    fieldAt<float>(state, 76) = fieldAt<float>(y, 124) + fieldAt<float>(y, 140);
    fieldAt<float>(p, 124) = fieldAt<float>(y, 124);
    fieldAt<float>(p, 140) = fieldAt<float>(y, 140);
  }
  const std::uint32_t reads = carFileReads();
  const bool fresh = !scaledTyreRecords().converted(p, reads);
  if (fresh) {
    scale(p, 516, 8, s);
    scale(p, 548, 8, s);
    scale(p, 484, 4, s);
    scale(p, 500, 4, s);
    fieldAt<float>(p, 76) *= s;
    fieldAt<float>(p, 92) *= s;
    fieldAt<float>(state, 80) *= s;
    fieldAt<float>(state, 84) *= s;
    const float pressureFactor = fieldAt<float>(p, 252);
    if (pressureFactor > 0.0f) scale(p, 308, 4, pressureFactor);
    const float t = fieldAt<float>(p, 60);
    if (t > 0.0f) {
      scale(p, 516, 8, t * t);
      scale(p, 548, 8, t * t);
    } else {
      fieldAt<float>(p, 60) = 1.0f;
    }
  }
  for (std::size_t o : {44u, 76u, 92u}) {
    if (fieldAt<float>(y, o) > 0.0f) fieldAt<float>(p, o) = fieldAt<float>(y, o);
  }
  const float mass = fieldAt<float>(y, 220);
  if (mass > 0.0f) {
    const float old = fieldAt<float>(state, 80);
    fieldAt<float>(state, 80) = mass;
    if (old != 0.0f) fieldAt<float>(state, 84) *= mass / old;
  }
  if (fieldAt<float>(y, 108) != 0.0f) fieldAt<float>(p, 108) = fieldAt<float>(y, 108);
  if (std::fabs(fieldAt<float>(y, 156) - 0.005f) > 1.1920929e-7f) fieldAt<float>(p, 156) = fieldAt<float>(y, 156);
  if (fieldAt<float>(y, 172) > 0.0f) fieldAt<float>(p, 172) = fieldAt<float>(y, 172);
  if (fieldAt<float>(y, 188) > 0.0f) {
    fieldAt<float>(p, 188) = fieldAt<float>(y, 188);
    fieldAt<float>(state, 88) = fieldAt<float>(y, 188);
  }
  if (fieldAt<float>(y, 204) > 0.0f) fieldAt<float>(p, 204) = fieldAt<float>(y, 204);
  if (fieldAt<float>(y, 236) > 0.02f) fieldAt<float>(p, 236) = fieldAt<float>(y, 236);

  const TyreSizes sizes = sizesOf(p);
  const TyreMasses m = tyreMasses(sizes);
  fieldAt<float>(p, 284) = m.tread;
  fieldAt<float>(p, 272) = m.treadSlice;
  fieldAt<float>(p, 296) = m.carcass;
  if (fresh) {
    const float k = contactStiffnessScale(sizes, s);
    if (k != 0.0f) {
      scale(p, 340, 4, k);
      scale(p, 356, 2, k);
    }
  }
  const std::int32_t type = TyreObject::type(p);
  const auto thresholds = tyreTemperatureThresholds(type);
  std::memcpy(static_cast<std::uint8_t*>(p) + 388, thresholds.data(), sizeof(float) * thresholds.size());

  const float b = tyreStartTemperature(type);
  // The gas state at +96: temperature +100, pressure +104, volume +108; its gas constant, set
  // with them, is the one word of the state left, its first.
  TyreGas gas{fieldAt<float>(state, 96), fieldAt<float>(state, 100), fieldAt<float>(state, 104),
              fieldAt<float>(state, 108)};
  gas.set(b, tyreGasVolume(sizes), kGasConstant);
  fieldAt<float>(state, 96) = gas.gasConstant;
  fieldAt<float>(state, 100) = gas.temperature;
  fieldAt<float>(state, 104) = gas.pressure;
  fieldAt<float>(state, 108) = gas.volume;
  fieldAt<float>(state, 300) = b;
  fieldAt<float>(state, 304) = b;
  for (int i = 0; i < 8; ++i) fieldAt<float>(state, 208 + 12 * i) = b;
  scaledTyreRecords().remember(p, reads);
}

}  // namespace

void setUpWheel(void* wheel, std::int32_t w, const std::uint8_t* snapshot) {
  void* block = wordPointer(wheel, 52);
  const void* ranges = hostCarSetupRanges();
  if (block == nullptr || ranges == nullptr || w < 0 || w > 3) return;
  const std::size_t r = kGeometryRanges + kGeometryRangesSize * static_cast<std::size_t>(w);
  if (!check(block, 1052, ranges, r + 396, r + 412, "StrutPlatformHeight", w)) {
    fieldAt<float>(block, 1020) = fieldAt<float>(block, 1036) + fieldAt<float>(block, 1052);
  }
  if (!check(block, 2304, ranges, r + 348, r + 364, "WheelAxisInclination", w)) {
    const float a = fieldAt<float>(block, 2304);
    fieldAt<float>(block, 976) = std::cos(a);
    fieldAt<float>(block, 984) = std::sin(a);
  }
  check(block, 572, ranges, r + 300, r + 316, "SteeringRodLength", w);

  const float s = carScaleOf(wheel);
  const std::uint32_t reads = carFileReads();
  if (!scaledWheelBlocks().converted(block, reads)) {
    for (std::size_t o : {2352u, 2368u, 2400u, 2416u}) fieldAt<float>(block, o) *= s;
  }
  physicsVariables().damage = suspensionDamageLevelsFor(s);
  setUpSpringDamper(wheel, w, ranges, s);
  setUpTyre(wheel, snapshot, s);
  scaledWheelBlocks().remember(block, reads);
}

void installWheelSetup() noexcept { carPartSetups().wheel = &setUpWheel; }

}  // namespace kvl::physics
