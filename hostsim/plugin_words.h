#pragma once
// The words of each kind of watched host object that the plugin may write, as the simulated
// host reads them from what the plugin is said to write: a hook's outputs, the load pass's
// values, a range override's clears, a setup page's values.
#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

// The words from byte offset `first` to `last` (`last` included), `stride` bytes apart; a plain
// offset is one word.
struct PluginWords {
  std::uint32_t first, last, stride;
  PluginWords(std::uint32_t at) : first(at), last(at), stride(4) {}  // NOLINT: one word
};
inline PluginWords run(std::uint32_t first, std::uint32_t last, std::uint32_t stride = 4) {
  PluginWords w(first);
  w.last = last;
  w.stride = stride;
  return w;
}

// The plugin's words in an object of the kind ("car", "wheel", ...); none for an unknown kind.
const std::vector<PluginWords>& pluginWords(const std::string& kind);

}  // namespace hostsim
