#pragma once
// The shift point the gear-change lamps show for the host's current car.
#include <cstdint>

namespace kvl::physics {

constexpr float kDefaultShiftRpm = 5500.0f;

// The gear's shift speed, the base speed when that is not above 0, 5500 without a car or
// engine data.
float currentShiftPointRpm(std::int32_t gear) noexcept;

}  // namespace kvl::physics
