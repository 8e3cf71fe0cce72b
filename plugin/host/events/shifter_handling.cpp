#include "plugin/host/events/shifter_handling.h"

#include "plugin/host/binding/abi.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/force_feedback_model.h"

namespace kvl::host {
namespace {

constexpr std::size_t kItemTable = 36;
constexpr std::size_t kItemSize = 20;
constexpr std::size_t kItemControl = 12;
constexpr std::size_t kControlValue = 48;
constexpr std::size_t kShifterMode = 592;
constexpr std::size_t kTargetGear = 40;
constexpr std::uint32_t kGearFlag = 4;

const void* itemControl(const void* controller, int item) noexcept {
  const HostWord word = fieldAt<HostWord>(controller, kItemTable + kItemSize * static_cast<std::size_t>(item) + kItemControl);
  return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(word));
}

}  // namespace

bool shifterFree(const void* car) noexcept {
  return car != nullptr && !physics::HostCar::shifterBlocked(car);
}

void handleShifter(const void* controller, unsigned char* controls) noexcept {
  if (controller == nullptr) return;
  auto& flags = fieldAt<std::uint32_t>(controls, 0);
  if ((flags & 3u) != 0) {
    if ((flags & 2u) != 0 && itemControl(controller, 14) != nullptr &&
        fieldAt<std::int32_t>(controller, kShifterMode) == 2) {
      flags &= ~2u;
    }
    return;
  }
  physics::ShifterItems items;
  for (int i = 0; i < 8; ++i) {
    const void* control = itemControl(controller, 13 + i);
    items.bound[i] = control != nullptr;
    if (control != nullptr) items.value[i] = fieldAt<float>(control, kControlValue);
  }
  const int gear = physics::shifterGear(items);
  if (gear == 0) return;
  flags |= kGearFlag;
  fieldAt<std::uint8_t>(controls, kTargetGear) = static_cast<std::uint8_t>(gear);
}

}  // namespace kvl::host
