#pragma once
// The ranges (minimum, maximum, step) that the differential-map setup pages offer for each
// differential slot (0 centre, 1 centre left-foot, 2 front, 3 rear), map (0..3) and map point
// (0..10), from the car's setup ranges.
#include <array>
#include <cstdint>

namespace kvl::physics {

struct MenuRangeInputs {
  std::int32_t features = 0;             // the Features_QZR range value
  std::uint32_t lockPct[3][2] = {};      // centre, front, rear: minimum and maximum lock percentage
  float leftFootThreshold[2] = {};       // the LeftFootBrakeThreshold range's minimum and maximum
  float mapRange[3] = {};                // minimum, maximum, step of a map point
  float secondMapRange[3] = {};          // the same for map 2
};

struct MenuRange {
  float minimum = 0.0f, maximum = 0.0f, step = 0.0f;
};

using MenuValues = std::array<std::array<std::array<MenuRange, 11>, 4>, 4>;  // [slot][map][point]

// The kind of each slot: 1 the plain map, 2 no lock, 4 a partial lock, 5 a kind-5 differential,
// 0 a left-foot slot the car has no threshold for; from the Features selectors when Features is
// above 0, else from the lock percentages.
std::array<int, 4> menuSlotKinds(const MenuRangeInputs& in) noexcept;

MenuValues differentialMenuValues(const MenuRangeInputs& in) noexcept;

}  // namespace kvl::physics
