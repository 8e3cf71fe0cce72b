#include "plugin/host/model/host_vehicle_state.h"

#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::host {
namespace {

HostListenerNode& nodeOf(void* object) noexcept {
  return *static_cast<HostListenerNode*>(addressAt(object, HostVehicleState::kNodeOffset));
}

}  // namespace

void HostVehicleState::subscribe(void* object) noexcept {
  HostEventHub* hub = HostEventHub::instance();
  if (object == nullptr || hub == nullptr) return;
  appendListener(hub->source(kSource)->catchAll(), nodeOf(object));
}

void HostVehicleState::unsubscribe(void* object) noexcept {
  if (object != nullptr) unlinkListener(nodeOf(object));
}

}  // namespace kvl::host
