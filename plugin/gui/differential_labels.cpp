#include "plugin/gui/differential_labels.h"

namespace kvl::gui {

std::int32_t differentialKind(std::int32_t features, int index) noexcept {
  if (index < 0 || index > 2) return 0;
  const auto kind = static_cast<std::int32_t>((static_cast<std::uint32_t>(features) >> (4 + 4 * index)) & 0xFu);
  return kind > 5 ? 0 : kind;
}

std::array<const char*, 3> differentialTorqueKeys(std::int32_t features) noexcept {
  static constexpr const char* kPreload[3] = {"CenterDiffPreloadTorque", "FrontDiffPreloadTorque", "RearDiffPreloadTorque"};
  static constexpr const char* kTorque[3] = {"CS_CDIF_TOR", "CS_FDIF_TOR", "CS_RDIF_TOR"};
  std::array<const char*, 3> keys{};
  for (int i = 0; i < 3; ++i) {
    const std::int32_t kind = features > 0 ? differentialKind(features, i) : 1;
    keys[static_cast<std::size_t>(i)] = kind == 4 || kind == 5 ? kPreload[i] : kTorque[i];
  }
  return keys;
}

}  // namespace kvl::gui
