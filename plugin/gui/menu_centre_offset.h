#pragma once
// How far right something of a given width moves so that it sits in the middle of the screen.
#include <cstdint>

namespace kvl::gui {

// Half of (screenWidth - width), the difference taken as a signed number: negative when the
// width exceeds the screen.
float centreOffsetFor(std::uint32_t screenWidth, std::int32_t width) noexcept;

}  // namespace kvl::gui
