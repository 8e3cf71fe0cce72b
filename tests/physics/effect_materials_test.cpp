#include <gtest/gtest.h>

#include <map>

#include "plugin/physics/effect_materials.h"

namespace kvl::physics {
namespace {

EffectEntry entry(std::int32_t id, std::int32_t type = 1) {
  EffectEntry e;
  e.materialId = id;
  e.effectType = type;
  return e;
}

// Materials 10 and 11 take their effect from kind 1, 12 from kind 2, 300 would if ever looked up.
MaterialLookup lookupOf(std::map<std::int32_t, MaterialInfo> materials, int* calls = nullptr) {
  return [materials, calls](std::int32_t id) -> std::optional<MaterialInfo> {
    if (calls) ++*calls;
    const auto it = materials.find(id);
    if (it == materials.end()) return std::nullopt;
    return it->second;
  };
}

TEST(EffectMaterials, AddsDefaultsAndRedirectsTheMap) {
  std::uint8_t map[256];
  for (int i = 0; i < 256; ++i) map[i] = static_cast<std::uint8_t>(i);
  const auto lookup = lookupOf({{10, {1, 1}}, {11, {1, 1}}, {12, {1, 2}}, {50, {1, 1}}, {51, {0, 1}}, {52, {1, 1}}});
  const auto out = completeEffectMaterials({entry(50), entry(52, 9)}, map, lookup);
  ASSERT_TRUE(out);
  ASSERT_EQ(out->size(), 8u);  // 50, 52 and the six defaults
  std::int32_t previous = -1;
  for (const EffectEntry& e : *out) {
    EXPECT_GT(e.materialId, previous);
    previous = e.materialId;
  }
  EXPECT_EQ(map[10], 50);  // kind 1: the first entry in array order wins over 52 and the default 17
  EXPECT_EQ(map[11], 50);
  EXPECT_EQ(map[12], 37);  // kind 2: the default entry
  EXPECT_EQ(map[51], 51);  // bit 0 clear
  EXPECT_EQ(map[52], 52);  // has an entry of its own
  const EffectEntry d = defaultEffectEntry(2);
  EXPECT_EQ(d.materialId, 37);
  EXPECT_EQ(d.effectType, 3);
  EXPECT_FLOAT_EQ(d.params[7], -0.5f);
  EXPECT_EQ(d.colour[3], 0.0f);
}

TEST(EffectMaterials, DefaultsPresentLeaveTheArrayButStillRedirect) {
  std::uint8_t map[256] = {};
  map[7] = 20;
  std::vector<EffectEntry> entries;
  for (std::int32_t id : {129, 17, 37, 103, 133, 105}) entries.push_back(entry(id));
  EXPECT_FALSE(completeEffectMaterials(entries, map, lookupOf({{20, {1, 4}}})));
  EXPECT_EQ(map[7], 133);
}

TEST(EffectMaterials, IdsOutsideTheMaterialRangeAreNeverLookedUp) {
  std::uint8_t map[256] = {};
  int calls = 0;
  std::vector<EffectEntry> entries = {entry(-5), entry(300)};
  const auto out = completeEffectMaterials(entries, map, [&](std::int32_t id) -> std::optional<MaterialInfo> {
    ++calls;
    EXPECT_TRUE(id >= 0 && id <= 255) << id;
    return std::nullopt;
  });
  ASSERT_TRUE(out);
  EXPECT_EQ(out->size(), 8u);  // kept, not lost
  EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace kvl::physics
