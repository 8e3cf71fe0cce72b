#include "plugin/gui/menu_centring.h"

#include "plugin/gui/menu_centre_offset.h"
#include "plugin/host/model/host_menu_drawing.h"
#include "plugin/host/model/host_renderer.h"

namespace kvl::gui {

float menuCentreOffset(std::int32_t width) {
  void* graphics = host::HostGraphics::instance();
  if (graphics == nullptr || !host::HostGraphics::centresMenus(graphics)) return 0.0f;
  void* renderer = host::HostRenderer::instance();
  if (renderer == nullptr) return 0.0f;
  return centreOffsetFor(host::HostRenderer::screenWidth(renderer), width);
}

}  // namespace kvl::gui
