#pragma once
// Where a wheel stands on the ground: its body's transform position with the height left out.
namespace kvl::physics {

struct GroundPosition {
  float x = 0.0f;
  float y = 0.0f;
};

// wheel -> body (+52) -> transform (+752) -> position (+16); 0, 0 without a wheel or body.
GroundPosition wheelGroundPosition(const void* wheel) noexcept;

}  // namespace kvl::physics
