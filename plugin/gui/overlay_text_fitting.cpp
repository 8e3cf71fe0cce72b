#include "plugin/gui/overlay_text_fitting.h"

#include "plugin/gui/overlay_elements.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_menu_renderer.h"

namespace kvl::gui {

std::string fitOverlayText(const std::string& text, float width) {
  void* game = host::HostGame::instance();
  void* renderer = game != nullptr ? host::HostGame::menuRenderer(game) : nullptr;
  if (renderer == nullptr) return text;
  return host::fitTextToWidth(renderer, text, width);
}

void useHostTextFitting() noexcept { TextElement::fitToWidth = &fitOverlayText; }

}  // namespace kvl::gui
