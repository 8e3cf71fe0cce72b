#include "plugin/host/model/host_renderer.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostRenderer::instance() {
  return hostObject<0x1703E14>();
}

}  // namespace kvl::host
