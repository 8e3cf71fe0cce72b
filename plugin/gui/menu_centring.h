#pragma once
// How far the host's menus move right to sit in the middle of a wide screen while the host
// centres its menus.
#include <cstdint>

namespace kvl::gui {

// The centring offset of something of that width on the host's screen; 0 while the host does
// not centre its menus (or has no graphics object or renderer).
float menuCentreOffset(std::int32_t width);

}  // namespace kvl::gui
