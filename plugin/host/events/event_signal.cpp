#include "plugin/host/events/event_signal.h"

namespace kvl::host {
namespace {

void walk(const HostListenerList* list, const void* record) noexcept {
  if (list == nullptr) return;
  for (HostListenerNode* node = list->head; node != nullptr;) {
    // The host calls slot 1 of whatever table the node carries; so do we.
    node->table->invoke(node, record);
    node = node->next;
  }
}

struct BusyScope {
  explicit BusyScope(std::int32_t& flag) noexcept : flag_(flag) { flag_ = 1; }
  ~BusyScope() { flag_ = 0; }
  std::int32_t& flag_;
};

}  // namespace

void EventSignal::raise(const void* record) noexcept {
  if (selector == nullptr) return;
  if (busy != 0) return;
  BusyScope scope(busy);
  const std::int32_t id = *selector;
  walk(&catchAll(), record);
  walk(perId(id), record);
}

}  // namespace kvl::host
