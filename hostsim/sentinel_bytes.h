#pragma once
// Host objects the plugin touches start filled with distinct sentinel bytes, so that a read at a
// wrong offset finds nothing plausible and a write to a word that is not the plugin's shows.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace hostsim {

// Byte i becomes seed + 37 * i (mod 256): no two neighbouring words read alike.
inline void fillSentinel(void* object, std::size_t size, std::uint8_t seed) {
  auto* bytes = static_cast<unsigned char*>(object);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + 37 * i);
}

// The offsets of the 32-bit words that differ between before and the object now, outside the
// words listed as the plugin's to write ("" when none changed), as text: " +N" each.
inline std::string changedWords(const std::vector<unsigned char>& before, const void* now,
                                const std::vector<std::size_t>& writable) {
  std::string changed;
  const auto* bytes = static_cast<const unsigned char*>(now);
  for (std::size_t at = 0; at + 4 <= before.size(); at += 4) {
    bool allowed = false;
    for (std::size_t w : writable) allowed = allowed || w == at;
    if (!allowed && std::memcmp(before.data() + at, bytes + at, 4) != 0) changed += " +" + std::to_string(at);
  }
  return changed;
}

}  // namespace hostsim
