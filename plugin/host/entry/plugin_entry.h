#pragma once

namespace kvl {

// The body of the KVL_CreatePlugin export: the start-up checks, then the plugin object. Ends the
// process with a message instead of returning when the checks fail or the start-up throws.
void* createPlugin(void* host) noexcept;

}  // namespace kvl
