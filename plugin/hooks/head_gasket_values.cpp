#include "plugin/hooks/head_gasket_values.h"

namespace kvl::hooks {

std::optional<HeadGasketValues> headGasketValues(std::int32_t durability) noexcept {
  if (durability < 2) return std::nullopt;
  const float factor = 1.0f / static_cast<float>(durability);
  return HeadGasketValues{factor, (factor - 1.0f) * 0.01f};
}

}  // namespace kvl::hooks
