#pragma once
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Replaces the host's query of its menu layout width (renderer as `this`): the width for the
// renderer's screen dimensions.
std::uint32_t QZR_THISCALL menuWidthHook(void* renderer) noexcept;

}  // namespace kvl::host
