#pragma once
// Menus drawn in the middle of a wide screen: the offset the host's menu drawing gets while the
// host centres its menus, and the hook on the host's menu drawing call that applies it.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

// The centring offset of something of that width on the host's screen; 0 while the host does
// not centre its menus (or has no graphics object or renderer).
float menuCentreOffset(std::int32_t width);

// Takes the place of the host's call of its menu drawing routine (the host drawable as `this`,
// two integers, x, four further words): the same call with x moved by the centring offset of the
// host's menu view. The view lays its menus out in the width the menu width hook last gave the
// host; before the host has asked for it, x stays as it is.
void QZR_THISCALL menuCentringDrawHook(void* drawable, std::int32_t a, std::int32_t b, float x, std::uint32_t c,
                                       std::uint32_t d, std::uint32_t e, std::uint32_t f) noexcept;

}  // namespace kvl::gui
