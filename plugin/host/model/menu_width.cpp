#include "plugin/host/model/menu_width.h"

#include <initializer_list>

namespace kvl::host {

std::uint32_t menuWidthFor(std::uint32_t w, std::uint32_t h) noexcept {
  const struct {
    std::uint32_t w, h;
  } standard[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
  for (const auto& mode : standard) {
    if (w == mode.w && h == mode.h) return w;
  }
  auto m = static_cast<std::uint32_t>(static_cast<double>(h) * 1.3333333333333333);
  for (std::uint32_t width : {640u, 800u, 1024u, 1280u, 1600u}) {
    if (m == width) {
      m += 2;
      break;
    }
  }
  return m > w ? w : m;
}

}  // namespace kvl::host
