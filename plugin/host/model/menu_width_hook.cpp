#include "plugin/host/model/menu_width_hook.h"

#include "plugin/host/model/host_renderer.h"
#include "plugin/host/model/menu_width.h"

namespace kvl::host {
namespace {

// Written and read on the host's thread only (its graphics set-up and its menu drawing).
std::optional<std::uint32_t>& givenWidth() noexcept {
  static std::optional<std::uint32_t> width;
  return width;
}

}  // namespace

std::uint32_t QZR_THISCALL menuWidthHook(void* renderer) noexcept {
  try {
    const std::uint32_t width = menuWidthFor(HostRenderer::screenWidth(renderer), HostRenderer::dimension2(renderer));
    givenWidth() = width;
    return width;
  } catch (...) {
    return 0;
  }
}

std::optional<std::uint32_t> lastMenuWidth() noexcept { return givenWidth(); }

}  // namespace kvl::host
