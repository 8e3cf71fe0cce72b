#include "plugin/physics/models/differential_menu_values.h"

#include <algorithm>

#include "plugin/physics/models/drivetrain_model.h"

namespace kvl::physics {
namespace {

bool anyLock(const MenuRangeInputs& in) noexcept {
  for (const auto& pair : in.lockPct) {
    if (pair[0] != 0 || pair[1] != 0) return true;
  }
  return false;
}

// Kind of a slot whose differential has this maximum lock percentage.
int kindForMaximum(std::uint32_t maximum, int otherwise) noexcept {
  if (maximum == 0) return 2;
  return maximum < 100 ? 4 : otherwise;
}

}  // namespace

std::array<int, 4> menuSlotKinds(const MenuRangeInputs& in) noexcept {
  std::array<int, 4> k = {1, 1, 1, 1};
  if (in.features > 0) {
    const Features f{static_cast<std::uint32_t>(in.features)};
    k[0] = f.differentialKind(0);
    k[1] = k[0] == 1 ? 1 : 2;
    k[2] = f.differentialKind(1);
    k[3] = f.differentialKind(2);
  } else if (anyLock(in)) {
    const std::uint32_t centre = in.lockPct[0][1];
    if (centre < 100) {
      k[0] = kindForMaximum(centre, 1);
      k[1] = 2;
    }
    k[2] = kindForMaximum(in.lockPct[1][1], 1);
    k[3] = kindForMaximum(in.lockPct[2][1], 1);
  }
  if (in.leftFootThreshold[0] == 0.0f && in.leftFootThreshold[1] == 0.0f) k[1] = 0;
  return k;
}

MenuValues differentialMenuValues(const MenuRangeInputs& in) noexcept {
  const std::array<int, 4> kinds = menuSlotKinds(in);
  const bool locks = in.features > 0 || anyLock(in);
  MenuValues out{};
  for (int d = 0; d < 4; ++d) {
    const int k = kinds[static_cast<std::size_t>(d)];
    const auto& pct = in.lockPct[d < 2 ? 0 : d - 1];
    for (int m = 0; m < 4; ++m) {
      for (int j = 0; j < 11; ++j) {
        MenuRange r;
        if (locks) {
          float g = static_cast<float>(pct[0]), h = static_cast<float>(pct[1]);
          if (k == 2 || (k != 1 && !(j == 0 && d != 1))) g = h = 0.0f;
          r.step = g == h ? 0.0f : in.mapRange[2];
          if (k == 5 && m != 0) g = h = r.step = 0.0f;
          r.minimum = std::min(1.0f, g / 100.0f);
          r.maximum = std::min(1.0f, h / 100.0f);
        } else {
          r = {in.mapRange[0], in.mapRange[1], in.mapRange[2]};
        }
        if (m == 2) r = {in.secondMapRange[0], in.secondMapRange[1], in.secondMapRange[2]};
        if (m == 3 && k != 1) r = {};
        out[static_cast<std::size_t>(d)][static_cast<std::size_t>(m)][static_cast<std::size_t>(j)] = r;
      }
    }
  }
  return out;
}

}  // namespace kvl::physics
