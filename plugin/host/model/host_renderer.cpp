#include "plugin/host/model/host_renderer.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostRenderer::instance() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<0x1703E14, HostWord>()));
}

}  // namespace kvl::host
