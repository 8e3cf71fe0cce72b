#pragma once
// The two value sets of the host's surface grip table: the detailed set for cars whose data
// declares revision 778, the uniform set for every other car. Both write the same 144 entries.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kvl::physics {

constexpr std::int32_t kDetailedGripRevision = 778;
constexpr int kGripEntryCount = 256;

// The 19 values of one entry in the order of their byte offsets within the entry: floats at
// +24, +40, +72, +88, +104, +120, +136, +152, +184, +200, +216, +232, +248, +264, +280, +296,
// +312, then the ints at +328 (surface class) and +344.
struct GripValues {
  std::array<float, 17> f{};
  std::int32_t surfaceClass = 0;
  std::int32_t kind = 0;
};
constexpr std::array<std::uint32_t, 17> kGripFloatOffsets = {24,  40,  72,  88,  104, 120, 136, 152, 184,
                                                             200, 216, 232, 248, 264, 280, 296, 312};
constexpr std::uint32_t kGripClassOffset = 328;
constexpr std::uint32_t kGripKindOffset = 344;

// The entries both sets write, ascending.
const std::vector<int>& gripEntriesWritten();

// The values of entry k in the set chosen by the revision; none for an entry the sets leave alone.
std::optional<GripValues> gripValues(std::int32_t revision, int k);

}  // namespace kvl::physics
