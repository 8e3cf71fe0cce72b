#include "plugin/physics/car_load_maths.h"

#include <cstring>

namespace kvl::physics {

float timeScaleFor(float divisor) noexcept { return divisor > 0.0f ? 0.000714f / divisor : 1.0f; }

void updateRatio(float* r, float x) noexcept {
  r[0] = (r[1] == 0.0f || x == 0.0f) ? 0.0f : r[3] * r[2] / (r[1] * x);
}

void addWheel(TyreDerived& d, float o, float t) noexcept {
  if (!(o > 0.0f && t > 0.0f)) return;
  const float sum = t + o;
  d.sum = sum;
  d.a = sum + 0.085f;
  d.deviation = sum - 0.315f;
}

void finish(TyreDerived& d) noexcept {
  if (d.deviation == 0.0f) return;
  d.b += d.deviation;
  d.c += d.deviation;
}

const char* surfaceWord(std::int32_t surface) noexcept {
  return surface == 2 ? "Snow" : surface == 1 ? "Tarmac" : "Gravel";
}

std::optional<float> sensitivityFactor(std::int32_t perCar, std::int32_t perSurface) noexcept {
  const std::int32_t value = perCar > 0 ? perCar : perSurface > 0 ? perSurface : 0;
  if (value <= 0 || value == 100) return std::nullopt;
  return static_cast<float>(value) / 100.0f;
}

float applySensitivity(float sensitivity, std::optional<float> factor) noexcept {
  if (factor) sensitivity *= *factor;
  return sensitivity < 1.0f ? 1.0f : sensitivity;
}

namespace {
float* floatAt(std::uint8_t* base, std::size_t offset) noexcept { return reinterpret_cast<float*>(base + offset); }
}  // namespace

void rescaleCarTable(std::uint8_t* table, float s) noexcept {
  for (std::size_t k = 0; k < 64; ++k) {
    for (std::size_t offset : {24u, 56u, 88u, 120u}) *floatAt(table, 136 * k + offset) *= s;
    *floatAt(table, 8720 + 88 * k) /= s;
  }
}

bool ConvertedBlocks::converted(const void* block, std::uint32_t carFileReads) const noexcept {
  for (const Seen& s : seen_) {
    if (s.block != nullptr && s.block == block && s.reads == carFileReads) return true;
  }
  return false;
}

void ConvertedBlocks::remember(const void* block, std::uint32_t carFileReads) noexcept {
  for (Seen& s : seen_) {
    if (s.block == block) {
      s.reads = carFileReads;
      return;
    }
  }
  seen_[next_] = {block, carFileReads};
  next_ = (next_ + 1) % (sizeof seen_ / sizeof seen_[0]);
}

}  // namespace kvl::physics
