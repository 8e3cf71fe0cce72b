#include "plugin/host/model/gear_lamp_colours.h"

namespace kvl::host {

LampColours lampColours(float distance, float step) noexcept {
  constexpr LampColour dim{0.0f, 0.0f, 0.0f, 0.3f};
  constexpr LampColour green{0.0f, 1.0f, 0.0f, 1.0f};
  constexpr LampColour yellow{1.0f, 1.0f, 0.0f, 1.0f};
  constexpr LampColour red{1.0f, 0.0f, 0.0f, 1.0f};
  if (distance > 5 * step) return {dim, dim};
  if (distance > 4 * step) return {green, dim};
  if (distance > 3 * step) return {green, green};
  if (distance > 2 * step) return {yellow, green};
  if (distance > step) return {yellow, yellow};
  if (distance > 25) return {red, yellow};
  return {red, red};
}

}  // namespace kvl::host
