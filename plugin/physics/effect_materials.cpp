#include "plugin/physics/effect_materials.h"

#include <map>

namespace kvl::physics {
namespace {

struct DefaultRow {
  std::int32_t id, type;
  float r, g, b;
  float p[9];
};
const DefaultRow kDefaults[6] = {
    {129, 5, 1.0f, 1.0f, 1.0f, {2.0f, 0.4f, 0.1f, 0, 0.1f, 0, 0, 0, 0.1f}},
    {17, 7, 0.73f, 0.58f, 0.57f, {2.0f, 0.4f, 0.04f, 0, 0.1f, 0, 0, 0, 0.1f}},
    {37, 3, 0.31f, 0.31f, 0.31f, {1.6f, 0.3f, 0, 0, 0.2f, 0, 0, -0.5f, 0.2f}},
    {103, 7, 1.0f, 1.0f, 1.0f, {1.8f, 0.4f, 0.075f, 0, 0, 0, 0, 0, 0}},
    {133, 7, 0.73f, 0.58f, 0.57f, {2.0f, 0.4f, 0.04f, 0, 0.1f, 0, 0, 0, 0.1f}},
    {105, 5, 1.0f, 1.0f, 1.0f, {2.0f, 0.4f, 0.1f, 0, 0.1f, 0, 0, 0, 0.1f}},
};

bool validId(std::int32_t id) { return id >= 0 && id <= 255; }

// The effect kind a material takes its entry from, when bit 0 of its flags says so.
std::optional<std::int32_t> kindOf(std::int32_t id, const MaterialLookup& lookup) {
  if (!validId(id)) return std::nullopt;
  const auto info = lookup(id);
  if (!info || (info->flags & 1) == 0) return std::nullopt;
  return info->kind;
}

}  // namespace

EffectEntry defaultEffectEntry(int kind) {
  const DefaultRow& d = kDefaults[kind];
  EffectEntry e;
  e.materialId = d.id;
  e.effectType = d.type;
  e.colour[0] = d.r;
  e.colour[1] = d.g;
  e.colour[2] = d.b;
  e.colour[3] = 0;
  for (int i = 0; i < 9; ++i) e.params[i] = d.p[i];
  return e;
}

std::optional<std::vector<EffectEntry>> completeEffectMaterials(const std::vector<EffectEntry>& entries,
                                                                std::uint8_t (&map)[256], const MaterialLookup& lookup) {
  std::map<std::int32_t, EffectEntry> byId;
  std::map<std::int32_t, EffectEntry> byKind;
  for (const EffectEntry& e : entries) {
    byId.emplace(e.materialId, e);
    if (const auto kind = kindOf(e.materialId, lookup)) byKind.emplace(*kind, e);
  }
  bool changed = false;
  for (int kind = 0; kind < 6; ++kind) {
    const EffectEntry d = defaultEffectEntry(kind);
    byKind.emplace(kind, d);
    changed |= byId.emplace(d.materialId, d).second;
  }
  for (std::uint8_t& id : map) {
    if (byId.count(id) != 0) continue;
    const auto kind = kindOf(id, lookup);
    if (!kind) continue;
    const auto it = byKind.find(*kind);
    if (it != byKind.end()) id = static_cast<std::uint8_t>(it->second.materialId);
  }
  if (!changed) return std::nullopt;
  std::vector<EffectEntry> out;
  out.reserve(byId.size());
  for (const auto& [id, e] : byId) out.push_back(e);
  return out;
}

}  // namespace kvl::physics
