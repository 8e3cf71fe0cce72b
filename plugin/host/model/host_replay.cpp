#include "plugin/host/model/host_replay.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::host {

void* HostReplay::instance() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kGlobal, HostWord>()));
}

void HostReplayClock::detach(void* clock) noexcept {
  // The node's table word sits right before its links.
  unlinkListener(*static_cast<HostListenerNode*>(addressAt(clock, 200)));
}

}  // namespace kvl::host
