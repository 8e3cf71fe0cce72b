#pragma once
// The per-wheel set-up of the car-parameter load pass: the suspension geometry's range checks
// and damage values, the spring and damper's limits and bump stops, and the tyre's sizes,
// scalings, masses, temperature thresholds and starting temperatures.
#include <cstdint>

namespace kvl::physics {

// Wheel index 0..3 (front left, front right, rear left, rear right); snapshot is the wheel's
// 788-byte tyre record taken when the host announced its wheels (null: none).
void setUpWheel(void* wheel, std::int32_t index, const std::uint8_t* snapshot);

// Points the load pass's wheel slot at setUpWheel.
void installWheelSetup() noexcept;

}  // namespace kvl::physics
