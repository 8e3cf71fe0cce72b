#pragma once
// The host's table-valued parameter class (table 0x740534, 19 slots): objects the host builds at
// 0x50291C get a plugin copy of the table whose parse slot reads three arrays of ten numbers
// (at +16, +56, +96) after the host's own parsing.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// Replaces the host's constructor call at 0x50291C: runs the host constructor, then points the
// object at the plugin's table. Returns the object.
void* QZR_THISCALL tableParameterConstructHook(void* object) noexcept;

// Slot 2 of the plugin's table: 0, or -1 when the tokens ran out before the 30 numbers.
std::int32_t QZR_THISCALL tableParameterParse(void* object, void* reader) noexcept;

}  // namespace kvl::physics
