#pragma once
// The width the host's menus lay themselves out in, for a screen of w x h.
#include <cstdint>

namespace kvl::host {

// Standard 4:3 modes keep w; any other mode gets h x 4/3 (plus 2 where that lands on a standard
// width), never more than w.
std::uint32_t menuWidthFor(std::uint32_t w, std::uint32_t h) noexcept;

}  // namespace kvl::host
