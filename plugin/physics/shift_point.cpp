#include "plugin/physics/shift_point.h"

#include "plugin/host/binding/abi.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"

namespace kvl::physics {

float HostEngine::gearRpm(const void* engineData, std::int32_t gear) noexcept {
  if (gear < 0 || gear >= kGears) return kDefaultShiftRpm;
  return host::fieldAt<float>(engineData, kGearRpm + 4 * static_cast<std::size_t>(gear));
}

float HostEngine::baseRpm(const void* engineData) noexcept { return host::fieldAt<float>(engineData, kBaseRpm); }

float currentShiftPointRpm(std::int32_t gear) noexcept {
  try {
    void* car = HostCar::current();
    const void* engineData = car == nullptr ? nullptr : HostCar::wordPointer(car, HostCar::kEngine);
    if (engineData == nullptr) return kDefaultShiftRpm;
    const float rpm = HostEngine::gearRpm(engineData, gear);
    return rpm > 0.0f ? rpm : HostEngine::baseRpm(engineData);
  } catch (...) {
    return kDefaultShiftRpm;
  }
}

}  // namespace kvl::physics
