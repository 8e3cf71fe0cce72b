#include "plugin/gui/menu_centring.h"

#include "plugin/gui/menu_centre_offset.h"
#include "plugin/host/model/host_menu_drawing.h"
#include "plugin/host/model/host_renderer.h"
#include "plugin/host/model/menu_width_hook.h"

namespace kvl::gui {

float menuCentreOffset(std::int32_t width) {
  void* graphics = host::HostGraphics::instance();
  if (graphics == nullptr || !host::HostGraphics::centresMenus(graphics)) return 0.0f;
  void* renderer = host::HostRenderer::instance();
  if (renderer == nullptr) return 0.0f;
  return centreOffsetFor(host::HostRenderer::screenWidth(renderer), width);
}

void QZR_THISCALL menuCentringDrawHook(void* drawable, std::int32_t a, std::int32_t b, float x, std::uint32_t c,
                                       std::uint32_t d, std::uint32_t e, std::uint32_t f) noexcept {
  try {
    float offset = 0.0f;
    if (const auto width = host::lastMenuWidth()) offset = menuCentreOffset(static_cast<std::int32_t>(*width));
    host::hostMenuDraw(drawable, a, b, x + offset, c, d, e, f);
  } catch (...) {
  }
}

}  // namespace kvl::gui
