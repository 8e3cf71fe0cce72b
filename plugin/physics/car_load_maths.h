#pragma once
// The arithmetic of the car-parameter load pass: the time factor, the values derived from the
// wheels' tyre records, the force-feedback sensitivity and the rescaled car tables.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kvl::physics {

// 0.000714 / divisor when the divisor is above 0, else 1.
float timeScaleFor(float divisor) noexcept;

// {result, a, b, c}: result := c x b / (a x x), or 0 when a or x is 0.
void updateRatio(float* record, float x) noexcept;

// The three tyre-derived values that host code reads, and the value for the block's +588.
struct TyreDerived {
  float a = 0.4f;
  float b = 0.15f;
  float c = 0.2f;
  float deviation = 0.0f;
  std::optional<float> sum;  // t + o of the last wheel whose two values are both above 0
};
// Folds in one wheel's snapshot values o (+124) and t (+140).
void addWheel(TyreDerived& d, float o, float t) noexcept;
// Adds a non-zero deviation to b and c.
void finish(TyreDerived& d) noexcept;

// "Snow" for surface 2, "Tarmac" for 1, else "Gravel".
const char* surfaceWord(std::int32_t surface) noexcept;
// The factor for the sensitivity value: the per-car value when above 0, else the per-surface
// one when above 0; none when neither or when the value taken is 100.
std::optional<float> sensitivityFactor(std::int32_t perCar, std::int32_t perSurface) noexcept;
// The sensitivity after the factor, raised to 1 when below.
float applySensitivity(float sensitivity, std::optional<float> factor) noexcept;

// The car table's 64 records of 136 bytes get their floats at +24, +56, +88, +120 multiplied by
// s; the float at +0 of the 64 records of 88 bytes from +8720 is divided by s.
constexpr std::size_t kCarTableBytes = 8720 + 64 * 88;
void rescaleCarTable(std::uint8_t* table, float s) noexcept;

// Remembers blocks that were converted in place, each with the count of car files the host had
// read when it was converted (carFileReads): a block counts as converted until the host reads a
// car file again, whatever is written into it meanwhile.
class ConvertedBlocks {
 public:
  bool converted(const void* block, std::uint32_t carFileReads) const noexcept;
  void remember(const void* block, std::uint32_t carFileReads) noexcept;

 private:
  struct Seen {
    const void* block;
    std::uint32_t reads;
  };
  Seen seen_[8] = {};
  std::size_t next_ = 0;
};

}  // namespace kvl::physics
