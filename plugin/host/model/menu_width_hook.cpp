#include "plugin/host/model/menu_width_hook.h"

#include "plugin/host/model/host_renderer.h"
#include "plugin/host/model/menu_width.h"

namespace kvl::host {

std::uint32_t QZR_THISCALL menuWidthHook(void* renderer) noexcept {
  try {
    return menuWidthFor(HostRenderer::screenWidth(renderer), HostRenderer::dimension2(renderer));
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::host
