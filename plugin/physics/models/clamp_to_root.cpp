#include "plugin/physics/models/clamp_to_root.h"

#include <cmath>

namespace kvl::physics {

float clampToRoot(float value, float radicand) noexcept {
  if (!(radicand >= 0.0f)) return value;
  const float root = std::sqrt(radicand);
  if (std::isnan(value)) return root;
  return value < root ? value : root;
}

}  // namespace kvl::physics
