#pragma once

namespace kvl::host {

// trunc(-1000 b) - trunc(-1000 a), each truncated toward zero to a 32-bit integer, divided by
// 1000: for positive times, a - b with both cut to whole thousandths.
float thousandthsDifference(float a, float b) noexcept;

}  // namespace kvl::host
