// The differential-map pages' ranges, read from the car's setup ranges and written into the
// setup value table that the pages' items point at.
#include "plugin/gui/setup_value_table.h"
#include "plugin/physics/car_setup.h"
#include "plugin/physics/drivetrain_part.h"
#include "plugin/physics/models/differential_menu_values.h"

namespace kvl::physics {
namespace {

using host::fieldAt;

// Within the setup ranges: the float parameters of the map point range (minimum, maximum, step),
// of the range of map 2 and of the left-foot brake threshold's minimum and maximum, each read at
// its value word (+12: the differential range block's parameters start at +4840).
constexpr std::size_t kValue = 12;
constexpr std::size_t kMapRange = 4840 + kValue, kSecondMapRange = 4888 + kValue, kLeftFootThreshold = 4984 + kValue;

MenuRangeInputs inputsOf(const void* ranges) {
  using R = DrivetrainRangeWords;
  MenuRangeInputs in;
  in.features = fieldAt<std::int32_t>(ranges, R::kFeatures);
  for (std::size_t d = 0; d < 3; ++d) {
    for (std::size_t k = 0; k < 2; ++k) {
      in.lockPct[d][k] = fieldAt<std::uint32_t>(ranges, R::kLockPercentages + R::kLockPercentageStride * (2 * d + k));
    }
  }
  for (std::size_t i = 0; i < 3; ++i) {
    in.mapRange[i] = fieldAt<float>(ranges, kMapRange + 16 * i);
    in.secondMapRange[i] = fieldAt<float>(ranges, kSecondMapRange + 16 * i);
  }
  in.leftFootThreshold[0] = fieldAt<float>(ranges, kLeftFootThreshold);
  in.leftFootThreshold[1] = fieldAt<float>(ranges, kLeftFootThreshold + 16);
  return in;
}

}  // namespace

void DrivetrainRanges::buildMenuValues(const void* block) noexcept {
  if (block == nullptr || gui::SetupValueTable::entry(0, 0, 0) == nullptr) return;
  const void* ranges = static_cast<const std::uint8_t*>(block) - kOffset;
  const MenuValues values = differentialMenuValues(inputsOf(ranges));
  for (int d = 0; d < 4; ++d) {
    for (int m = 0; m < 4; ++m) {
      for (int j = 0; j < 11; ++j) {
        const MenuRange& r = values[static_cast<std::size_t>(d)][static_cast<std::size_t>(m)][static_cast<std::size_t>(j)];
        host::HostFloatParam* entry = gui::SetupValueTable::entry(d, m, j);
        entry[0].set(r.minimum);
        entry[1].set(r.maximum);
        entry[2].set(r.step);
      }
    }
  }
}

}  // namespace kvl::physics
