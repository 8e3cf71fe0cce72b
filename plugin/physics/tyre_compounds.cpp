#include "plugin/physics/tyre_compounds.h"

#include <cstring>
#include <initializer_list>

namespace kvl::physics {
namespace {

using PerType = std::array<float, kCompoundCount>;

void put(CompoundRecord& r, std::size_t offset, float v) noexcept { std::memcpy(r.data() + offset, &v, 4); }

void putAll(CompoundSet& set, std::size_t offset, const PerType& values) noexcept {
  for (std::size_t t = 0; t < kCompoundCount; ++t) put(set[t], offset, values[t]);
}
void putSame(CompoundSet& set, std::initializer_list<std::size_t> offsets, float v) noexcept {
  for (std::size_t o : offsets) putAll(set, o, PerType{v, v, v, v, v, v, v});
}
void putEach(CompoundSet& set, std::initializer_list<std::size_t> offsets, const PerType& values) noexcept {
  for (std::size_t o : offsets) putAll(set, o, values);
}

// Eight values 16 bytes apart from `first`, for every type: row(type) gives the eight.
template <typename Row>
void putEight(CompoundSet& set, std::size_t first, Row row) noexcept {
  for (std::size_t t = 0; t < kCompoundCount; ++t) {
    const std::array<float, 8> values = row(t);
    for (std::size_t i = 0; i < 8; ++i) put(set[t], first + 16 * i, values[i]);
  }
}

std::array<float, 8> scaled(const std::array<float, 8>& base, float factor) noexcept {
  std::array<float, 8> out{};
  for (std::size_t i = 0; i < 8; ++i) out[i] = base[i] * factor;
  return out;
}

std::array<float, 8> shifted(const std::array<float, 8>& base, float addend) noexcept {
  std::array<float, 8> out{};
  for (std::size_t i = 0; i < 8; ++i) out[i] = base[i] + addend;
  return out;
}

// Types 1 and 2 scale type 0 by 0.975 and 0.95; types 3 to 5 are type 0 halved, then scaled
// like 0 to 2; type 6 is type 3 scaled by `snow`.
std::array<float, 8> stiffnessRow(const std::array<float, 8>& type0, std::size_t t, float snow) noexcept {
  const std::array<float, 8> type3 = scaled(type0, 0.5f);
  switch (t) {
    case 0: return type0;
    case 1: return scaled(type0, 0.975f);
    case 2: return scaled(type0, 0.95f);
    case 3: return type3;
    case 4: return scaled(type3, 0.975f);
    case 5: return scaled(type3, 0.95f);
    default: return scaled(type3, snow);
  }
}

}  // namespace

void buildTyreCompounds(CompoundSet& set) noexcept {
  for (auto& r : set) r.fill(0);
  for (std::size_t t = 0; t < kCompoundCount; ++t) {
    const auto type = static_cast<std::int32_t>(t);
    std::memcpy(set[t].data() + 24, &type, 4);
  }
  putAll(set, 40, {0.24f, 0.24f, 0.24f, 0.2f, 0.2f, 0.2f, 0.2f});
  putAll(set, 56, {0.22f, 0.22f, 0.22f, 0.18f, 0.18f, 0.18f, 0.18f});
  putSame(set, {72}, 0.0f);
  putAll(set, 88, {410000, 350000, 300000, 256000, 256000, 256000, 302000});
  putAll(set, 104, {80000, 75000, 70000, 75000, 75000, 75000, 80000});
  putAll(set, 120, {250000, 250000, 250000, 200000, 200000, 200000, 300000});
  putAll(set, 136, {1000000, 950000, 900000, 1500000, 1425000, 1350000, 5000000});
  putAll(set, 152, {0.7f, 0.7f, 0.7f, 0.7f, 0.7f, 0.7f, 0.8f});
  putSame(set, {168}, 0.305f);
  putSame(set, {184}, 0.01f);
  putAll(set, 200, {0.005f, 0.005f, 0.005f, 0.009f, 0.009f, 0.009f, 0.005f});
  putAll(set, 216, {0.2f, 0.2f, 0.2f, 0.18f, 0.18f, 0.18f, 0.18f});
  putAll(set, 232, {0.83f, 0.805f, 0.78f, 0.65f, 0.625f, 0.6f, 0.5f});
  putAll(set, 248, {0.225f, 0.225f, 0.225f, 0.205f, 0.205f, 0.205f, 0.205f});
  putAll(set, 296, {0.09f, 0.09f, 0.09f, 0.133f, 0.133f, 0.133f, 0.133f});
  putEach(set, {312, 328, 376}, {0.9f, 0.925f, 0.95f, 1, 1, 1, 0.95f});
  putAll(set, 344, {1, 1, 1, 0.875f, 0.85f, 0.825f, 0.75f});
  putAll(set, 360, {0.525f, 0.55f, 0.575f, 0.6f, 0.625f, 0.65f, 1});
  putAll(set, 392, {0.95f, 0.975f, 1, 1, 1, 1, 1});
  putAll(set, 408, {0, 0.5f, 1, 0, 0.5f, 1, 0});
  putEach(set, {424, 440, 456, 488, 504}, {-0.075f, -0.075f, -0.075f, -0.075f, -0.075f, -0.075f, 0});
  putSame(set, {472}, 0.0f);
  putSame(set, {520}, 0.5f);
  putSame(set, {536}, 0.9f);
  putSame(set, {552}, 1.1f);
  putSame(set, {568}, 1.2f);
  putEight(set, 584, [](std::size_t t) {
    return t == 6 ? std::array<float, 8>{1, 1, 1, 1, 1, 1, 1, 1}
                  : std::array<float, 8>{0.838f, 0.938f, 0.975f, 1, 1, 0.975f, 0.925f, 0.85f};
  });
  putEight(set, 712, [](std::size_t) {
    return std::array<float, 8>{0.338f, 0.438f, 0.475f, 0.5f, 0.5f, 0.525f, 0.575f, 0.65f};
  });
  putEight(set, 840, [](std::size_t t) {
    return stiffnessRow({60000, 72000, 77800, 83400, 88800, 94000, 109000, 161800}, t, 1.05f);
  });
  putEight(set, 968, [](std::size_t t) {
    return stiffnessRow({60000, 61000, 61500, 62000, 62500, 63000, 64500, 70000}, t, 1.2f);
  });
  putEight(set, 1096, [](std::size_t) {
    return std::array<float, 8>{1.09f, 1.034868f, 1.005851f, 0.975307f, 0.943156f, 0.909312f, 0.802437f, 0.389937f};
  });
  putEight(set, 1224, [](std::size_t) {
    return std::array<float, 8>{1.01f, 1.007475f, 1.004956f, 1.002444f, 0.999938f, 0.997438f, 0.994944f, 0.992457f};
  });
  putEight(set, 1352, [](std::size_t t) {
    static const float kAddend[kCompoundCount] = {0, -0.005f, -0.01f, 0.08f, 0.075f, 0.07f, 0.11f};
    return shifted({0.14f, 0.153f, 0.16f, 0.167f, 0.175f, 0.183f, 0.208f, 0.306f}, kAddend[t]);
  });
  putEight(set, 1480, [](std::size_t t) {
    static const float kValue[kCompoundCount] = {0.15f, 0.113f, 0.075f, 0.35f, 0.24f, 0.12f, 0.3f};
    const float v = kValue[t];
    return std::array<float, 8>{v, v, v, v, v, v, v, v};
  });
  putEach(set, {1608, 1624, 1656, 1672}, {0.975f, 0.963f, 0.95f, 0.95f, 0.95f, 0.95f, 0.95f});
  putAll(set, 1640, {0.95f, 0.95f, 0.95f, 0.95f, 0.95f, 0.95f, 1.05f});
  putSame(set, {1688}, 0.975f);
  // +1704 is a plain float at the end of the record.
  putAll(set, 1704, {1, 0.95f, 0.9f, 0.95f, 0.9f, 0.85f, 1});
}

float compoundValue(const CompoundRecord& record, std::size_t offset) noexcept {
  float v;
  std::memcpy(&v, record.data() + offset, 4);
  return v;
}

std::size_t compoundIndexFor(std::uint32_t tyreType) noexcept { return tyreType < kCompoundCount ? tyreType : 0; }

namespace {
// `count` value words 16 apart from `from` go to consecutive words from `to`.
void copyRun(const CompoundRecord& c, std::size_t from, std::uint8_t* record, std::size_t to, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) std::memcpy(record + to + 4 * i, c.data() + from + 16 * i, 4);
}
// The same, with the destination words 16 apart too.
void copySpaced(const CompoundRecord& c, std::size_t from, std::uint8_t* record, std::size_t to, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) std::memcpy(record + to + 16 * i, c.data() + from + 16 * i, 4);
}
}  // namespace

void applyCompoundToTyreRecord(const CompoundRecord& c, std::uint8_t* record) noexcept {
  std::memcpy(record + 12, c.data() + 24, 4);
  std::memcpy(record + 44, c.data() + 152, 4);
  std::memcpy(record + 76, c.data() + 88, 4);
  std::memcpy(record + 92, c.data() + 104, 4);
  std::memcpy(record + 108, c.data() + 72, 4);
  copySpaced(c, 168, record, 124, 6);  // +168..+248 to +124..+204
  std::memcpy(record + 236, c.data() + 296, 4);
  copyRun(c, 520, record, 324, 4);
  copyRun(c, 584, record, 420, 16);
  copyRun(c, 840, record, 516, 48);
  copyRun(c, 312, record, 708, 6);
  std::memcpy(record + 732, c.data() + 408, 4);
  copyRun(c, 424, record, 736, 6);
  copyRun(c, 1608, record, 760, 6);
  std::memcpy(record + 784, c.data() + 1704, 4);
}

void applyCompoundToWheelPart(const CompoundRecord& c, std::uint8_t* wheelPart) noexcept {
  std::memcpy(wheelPart + 80, c.data() + 120, 4);
  std::memcpy(wheelPart + 84, c.data() + 136, 4);
  std::memcpy(wheelPart + 88, c.data() + 232, 4);
}

}  // namespace kvl::physics
