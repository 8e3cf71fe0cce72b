#pragma once
// Completion of the host's surface-effect materials: an effect entry for each of the six effect
// kinds, six default entries under fixed material ids, and the material map pointed at the entry
// of a material's kind where the material has none of its own.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace kvl::physics {

// The host's 80-byte effect entry.
struct EffectEntry {
  std::int32_t materialId = 0;
  std::int32_t effectType = 0;
  std::uint8_t reserved0[8] = {};
  float colour[4] = {0, 0, 0, 1};
  float params[9] = {};
  std::uint8_t reserved1[12] = {};
};
static_assert(sizeof(EffectEntry) == 80, "the host's effect entry is 80 bytes");

// What the grip table says of a material: bit 0 of its +344 word (takes its effect from its
// kind) and its surface class (the effect kind).
struct MaterialInfo {
  std::int32_t flags;
  std::int32_t kind;
};
using MaterialLookup = std::function<std::optional<MaterialInfo>(std::int32_t id)>;

// The default entry of an effect kind 0..5.
EffectEntry defaultEffectEntry(int kind);

// Completes the entries and the 256-byte map. Returns the new entry array, ascending by material
// id, when default entries were added; none when the array stays as it was. Ids outside 0..255
// are never looked up.
std::optional<std::vector<EffectEntry>> completeEffectMaterials(const std::vector<EffectEntry>& entries,
                                                                std::uint8_t (&map)[256], const MaterialLookup& lookup);

}  // namespace kvl::physics
