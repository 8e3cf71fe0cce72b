#include "plugin/hooks/aspect_ratio.h"

namespace kvl {

double aspectRatioFor(int w, int h) noexcept {
  if (w <= 0 || h <= 0) return 4.0 / 3.0;
  return static_cast<double>(w) / static_cast<double>(h);
}

}  // namespace kvl
