#pragma once
// The one holder of what the overlay shows: the display list last submitted by a page, drawn
// through the host's drawing interface on every frame.
#include "plugin/gui/display_list.h"
#include "plugin/gui/overlay_geometry.h"

namespace kvl::gui {

class OverlayScreen {
 public:
  // Built on first use, destroyed at process exit.
  static OverlayScreen& instance();

  OverlayScreen(const OverlayScreen&) = delete;
  OverlayScreen& operator=(const OverlayScreen&) = delete;

  // Replaces the retained list by the elements of the given one, in order, sharing them.
  void submit(const DisplayList& list);
  // Opens the host's overlay with the rectangle, then draws every retained element from the
  // origin (0, 0). The host is the pointer the host passed to the plugin; without one nothing
  // is drawn.
  void drawAll(const OverlayRect& rect);

  const DisplayList& retained() const noexcept { return retained_; }

 private:
  OverlayScreen() = default;

  DisplayList retained_;
};

}  // namespace kvl::gui
