#pragma once
// The variant of a file the host opens while it loads a map: unless the option "XXX" is set, a
// file whose name ends in "x" instead of its last letter is opened when it exists.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::tracks {

// Member hook for the host's call of its one-file-name routine (0x4FFC60); returns its result.
std::int32_t QZR_THISCALL alternativeFileHook(void* object, const char* name) noexcept;

}  // namespace kvl::tracks
