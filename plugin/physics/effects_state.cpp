#include "plugin/physics/effects_state.h"

#include <cstring>
#include <vector>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/physics/effect_materials.h"
#include "plugin/physics/host_car.h"

namespace kvl::physics {
namespace {

using host::fieldAt;
using host::HostWord;

constexpr std::size_t kCount = 1040, kEntries = 1044, kMap = 1304;

}  // namespace

void EffectsState::rebuildMaterials(void* effects) {
  if (effects == nullptr) return;
  void* grip = hostSurfaceGripTable();
  if (grip == nullptr) return;
  const std::int32_t count = fieldAt<std::int32_t>(effects, kCount);
  auto* array = static_cast<EffectEntry*>(HostCar::wordPointer(effects, kEntries));
  std::vector<EffectEntry> entries;
  if (array != nullptr && count > 0) entries.assign(array, array + count);
  auto& map = *reinterpret_cast<std::uint8_t(*)[256]>(static_cast<std::uint8_t*>(effects) + kMap);
  const auto lookup = [grip](std::int32_t id) -> std::optional<MaterialInfo> {
    const void* material = host::hostFindMaterial(SurfaceGripTable::entries(grip), id);
    if (material == nullptr) return std::nullopt;
    return MaterialInfo{fieldAt<std::int32_t>(material, 344), fieldAt<std::int32_t>(material, 328)};
  };
  const auto rebuilt = completeEffectMaterials(entries, map, lookup);
  if (!rebuilt) return;
  auto* fresh = static_cast<EffectEntry*>(host::hostRuntimeMalloc(static_cast<std::uint32_t>(rebuilt->size() * sizeof(EffectEntry))));
  if (fresh == nullptr) return;  // the host keeps its array
  std::memcpy(fresh, rebuilt->data(), rebuilt->size() * sizeof(EffectEntry));
  if (array != nullptr) host::hostRuntimeFree(array);
  fieldAt<HostWord>(effects, kEntries) = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(fresh));
  fieldAt<std::int32_t>(effects, kCount) = static_cast<std::int32_t>(rebuilt->size());
}

}  // namespace kvl::physics
