#include "plugin/physics/shift_point.h"

#include "plugin/host/binding/abi.h"
#include "plugin/physics/engine_part.h"
#include "plugin/physics/host_car.h"

namespace kvl::physics {

float HostEngine::baseRpm(const void* engineData) noexcept { return host::fieldAt<float>(engineData, kBaseRpm); }

float currentShiftPointRpm(std::int32_t gear) noexcept {
  try {
    void* car = HostCar::current();
    const void* engineData = car == nullptr ? nullptr : HostCar::wordPointer(car, HostCar::kEngine);
    if (engineData == nullptr || gear < 0 || gear >= HostEngine::kGears) return kDefaultShiftRpm;
    return HostEngine::baseRpm(engineData);
  } catch (...) {
    return kDefaultShiftRpm;
  }
}

}  // namespace kvl::physics
