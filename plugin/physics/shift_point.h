#pragma once
// The shift point the gear-change lamps show for the host's current car.
#include <cstdint>

namespace kvl::physics {

constexpr float kDefaultShiftRpm = 5500.0f;

// The engine's base speed for gears 0 to 9 (no gear's own shift speed is read), 5500 above gear
// 9 and without a car or engine data.
float currentShiftPointRpm(std::int32_t gear) noexcept;

}  // namespace kvl::physics
