#pragma once

namespace kvl::physics {

// The smaller of `value` and the square root of `radicand`. A radicand without a real root
// (negative or NaN) gives `value` back, and a NaN `value` gives the root, so no NaN of this
// function's making reaches the caller.
float clampToRoot(float value, float radicand) noexcept;

}  // namespace kvl::physics
