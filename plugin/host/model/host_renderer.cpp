#include "plugin/host/model/host_renderer.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostRenderer::instance() {
  return hostObject<0x1703E14>();
}

std::uint32_t HostRenderer::screenWidth(void* renderer) {
  return hostFunction<0x40E9F0, std::uint32_t(QZR_THISCALL*)(void*)>()(renderer);
}

std::uint32_t HostRenderer::dimension2(void* renderer) {
  return hostFunction<0x40EA00, std::uint32_t(QZR_THISCALL*)(void*)>()(renderer);
}

}  // namespace kvl::host
