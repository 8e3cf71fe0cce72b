#pragma once
// Positions and sizes on the overlay, in the host's overlay coordinates (pages lay out on a
// 640 x 480 area).

namespace kvl::gui {

struct OverlayPoint {
  float x = 0.0f;
  float y = 0.0f;
};

struct OverlaySize {
  float width = 0.0f;
  float height = 0.0f;
};

struct OverlayRect {
  OverlayPoint origin;
  OverlaySize size;
};

}  // namespace kvl::gui
