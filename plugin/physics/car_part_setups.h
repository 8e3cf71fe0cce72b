#pragma once
// The set-up routines of the car's parts that the load pass runs: the engine model (on the car's
// member at +1680), the differentials (+2128), the drivetrain (+1200), then each wheel's
// suspension geometry with its spring and tyre set-ups. The per-part physics fills them in; a
// routine left empty is skipped. A routine may throw: that set-up ends there, the pass logs the
// cause and goes on with its other steps.
#include <cstdint>

namespace kvl::physics {

struct CarPartSetups {
  void (*engine)(void* engineModel) = nullptr;
  void (*differential)(void* engineBlockHolder) = nullptr;
  void (*drivetrain)(void* drivetrain) = nullptr;
  // The wheel's 788-byte tyre record as the host announced it (null: none).
  void (*wheel)(void* wheel, std::int32_t index, const std::uint8_t* snapshot) = nullptr;
};

CarPartSetups& carPartSetups() noexcept;

}  // namespace kvl::physics
