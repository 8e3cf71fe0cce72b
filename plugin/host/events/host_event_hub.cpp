#include "plugin/host/events/host_event_hub.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

HostEventHub* HostEventHub::instance() {
  return reinterpret_cast<HostEventHub*>(
      static_cast<std::uintptr_t>(hostGlobal<kHubGlobal, HostWord>()));
}

}  // namespace kvl::host
