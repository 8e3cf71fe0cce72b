#pragma once
// Byte patterns seeded per object, for host objects a model tells apart by their bytes (a decoy
// row). Watched objects take their pattern from stray_words.h.
#include <cstddef>
#include <cstdint>

namespace hostsim {

// Byte i becomes seed + 37 * i (mod 256): no two neighbouring words read alike.
inline void fillSentinel(void* object, std::size_t size, std::uint8_t seed) {
  auto* bytes = static_cast<unsigned char*>(object);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(seed + 37 * i);
}

}  // namespace hostsim
