#include "plugin/gui/overlay_screen.h"

#include "plugin/gui/draw_context.h"
#include "plugin/gui/overlay_element.h"
#include "plugin/host/entry/plugin_host_context.h"

namespace kvl::gui {

OverlayScreen& OverlayScreen::instance() {
  static OverlayScreen screen;
  return screen;
}

void OverlayScreen::submit(const DisplayList& list) {
  retained_.clear();
  for (const auto& element : list) retained_.push(element);
}

void OverlayScreen::drawAll(const OverlayRect& rect) {
  auto* host = static_cast<HostDrawInterface*>(pluginHostContext().host());
  if (host == nullptr) return;
  host->beginOverlay(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  if (retained_.empty()) return;
  const DrawContext context{host, OverlayPoint{0.0f, 0.0f}};
  for (const auto& element : retained_) {
    if (element) element->draw(context);
  }
}

}  // namespace kvl::gui
