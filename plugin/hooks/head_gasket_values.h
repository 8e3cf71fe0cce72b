#pragma once
// The two floats the "Head Gasket" code reads: x := x * factor + offset.
#include <cstdint>
#include <optional>

namespace kvl::hooks {

struct HeadGasketValues {
  float factor = 1.0f;
  float offset = 0.1f;
};

// For a durability d of 2 or more: factor 1/d and offset (1/d - 1) * 0.01; none below 2.
std::optional<HeadGasketValues> headGasketValues(std::int32_t durability) noexcept;

}  // namespace kvl::hooks
