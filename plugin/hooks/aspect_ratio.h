#pragma once
// The width-to-height ratio the "Aspect Ratio" group writes for a configured resolution.

namespace kvl {

// w / h in double precision; 4:3 when either dimension is 0 or negative, so that no infinite or
// undefined ratio reaches the host.
double aspectRatioFor(int w, int h) noexcept;

}  // namespace kvl
