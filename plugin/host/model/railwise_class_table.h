#pragma once
// The plugin's copy of a Railwise class table (Railwise 0x61059EC4, five entries copied once from
// the loaded module), through which the module's own entries stay reachable.
#include <cstdint>

namespace kvl::host {

// Slot 2 of the copy, called on the object with two integers; its result. 0, and no call, while
// the host has not recorded where Railwise.DLL is loaded.
std::int32_t callOriginalTableSlot(void* object, std::int32_t a, std::int32_t b);

}  // namespace kvl::host
