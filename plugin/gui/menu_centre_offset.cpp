#include "plugin/gui/menu_centre_offset.h"

namespace kvl::gui {

float centreOffsetFor(std::uint32_t screenWidth, std::int32_t width) noexcept {
  const auto difference = static_cast<std::int32_t>(screenWidth - static_cast<std::uint32_t>(width));
  return static_cast<float>(difference) * 0.5f;
}

}  // namespace kvl::gui
