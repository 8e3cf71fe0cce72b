#pragma once
// The labels of the differentials page's centre, front and rear torque rows: a differential whose
// kind in the car's Features word is 4 or 5 has a preload torque.
#include <array>
#include <cstdint>

namespace kvl::gui {

// The kind of differential `index` (0 centre, 1 front, 2 rear): bits 4-7, 8-11 or 12-15 of
// Features; a kind above 5 reads as 0.
std::int32_t differentialKind(std::int32_t features, int index) noexcept;

// The text keys of the three torque rows. With Features 0 or below every kind counts as 1.
std::array<const char*, 3> differentialTorqueKeys(std::int32_t features) noexcept;

}  // namespace kvl::gui
