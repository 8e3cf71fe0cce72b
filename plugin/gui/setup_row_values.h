#pragma once
// The value each host value row of the setup pages edits. The plugin hands that address to the
// host's row constructor itself, so it keeps it beside the row instead of reading it back out of
// the host's row object; the grid pages' column link copies through it.
#include <cstdint>

#include "plugin/host/model/host_setup_rows.h"

namespace kvl::gui {

// Makes the row through the host and keeps the 16-byte value it edits. Null without host memory.
void* makeSetupRow(const host::HostText& label, std::int32_t kind, void* value, void* range,
                   const host::SetupRowLayout& layout);

// The value the row was made on; null for a row the plugin did not make.
void* setupRowValue(const void* row) noexcept;

// Drops what is kept for the row, before the row is freed.
void forgetSetupRow(const void* row) noexcept;

}  // namespace kvl::gui
