#pragma once
// What every draw call gets: the host's drawing interface and the origin to which an element
// adds its own position.
#include "plugin/gui/host_draw_interface.h"
#include "plugin/gui/overlay_geometry.h"

namespace kvl::gui {

struct DrawContext {
  HostDrawInterface* host = nullptr;
  OverlayPoint origin;

  // The same host with the origin moved by an offset.
  DrawContext movedBy(const OverlayPoint& offset) const {
    return DrawContext{host, OverlayPoint{origin.x + offset.x, origin.y + offset.y}};
  }
  // An element's own position made absolute.
  OverlayPoint at(const OverlayPoint& position) const {
    return OverlayPoint{origin.x + position.x, origin.y + position.y};
  }
};

}  // namespace kvl::gui
