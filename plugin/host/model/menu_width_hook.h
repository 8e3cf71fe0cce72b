#pragma once
#include <cstdint>
#include <optional>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Replaces the host's query of its menu layout width (renderer as `this`): the width for the
// renderer's screen dimensions.
std::uint32_t QZR_THISCALL menuWidthHook(void* renderer) noexcept;

// The width the hook last gave the host, which is the width the host's menu view lays its menus
// out in; none before the host's first query.
std::optional<std::uint32_t> lastMenuWidth() noexcept;

}  // namespace kvl::host
