#pragma once
// The map's track file variant: when the track file with its extension's last letter replaced by
// "x" exists, the host prepares the map with that extension.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::tracks {

// Member hook for the host's call of the stage-load record's set-map step.
void QZR_THISCALL trackNameHook(void* record, std::int32_t map) noexcept;

}  // namespace kvl::tracks
