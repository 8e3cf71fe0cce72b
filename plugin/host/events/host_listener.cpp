#include "plugin/host/events/host_listener.h"

namespace kvl::host {
namespace {

void QZR_THISCALL abstractDestroy(HostListenerNode* self, std::uint32_t) noexcept {
  unlinkListener(*self);
}
void QZR_THISCALL abstractInvoke(HostListenerNode*, const void*) noexcept {}

const HostListenerNodeTable kAbstractNodeTable = {abstractDestroy, abstractInvoke};

// Every node is a member of the plugin object that listens, never a heap block of its own: a
// destruction through the table (by the host, with or without the free bit) only leaves the list.
// The owner's own destructor ends the node later.
void QZR_THISCALL nodeDestroy(HostListenerNode* self, std::uint32_t) noexcept {
  self->table = &kAbstractNodeTable;
  unlinkListener(*self);
}

void QZR_THISCALL nodeInvoke(HostListenerNode* self, const void* record) noexcept {
  self->invoke(record);
}

const HostListenerNodeTable kNodeTable = {nodeDestroy, nodeInvoke};

}  // namespace

HostListenerNode::HostListenerNode() noexcept : table(&kNodeTable) {}

HostListenerNode::HostListenerNode(void* owner, ListenerFunction handler) noexcept
    : table(&kNodeTable), userData(owner), function(handler) {}

HostListenerNode::~HostListenerNode() {
  // Kept even though the object ends here: the host may still see the node's table word.
  *const_cast<const HostListenerNodeTable* volatile*>(&table) = &kAbstractNodeTable;
  unlinkListener(*this);
}

void HostListenerNode::invoke(const void* record) noexcept {
  if (function == nullptr) return;
  try {
    function(userData, record);
  } catch (...) {
    // A failing listener must not stop the raise or reach a host frame.
  }
}

void appendListener(HostListenerList& list, HostListenerNode& node) noexcept {
  if (node.list != nullptr) unlinkListener(node);
  node.prev = list.tail;
  node.next = nullptr;
  if (list.tail != nullptr) {
    list.tail->next = &node;
  } else {
    list.head = &node;
  }
  list.tail = &node;
  node.list = &list;
  // Computed unsigned: a count the host left at the maximum must not overflow.
  const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(list.count) + 1u);
  list.count = count < 0 ? 0 : count;
}

void unlinkListener(HostListenerNode& node) noexcept {
  HostListenerList* list = node.list;
  if (list != nullptr) {
    const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(list->count) - 1u);
    list->count = count < 0 ? 0 : count;
    if (node.next != nullptr) {
      node.next->prev = node.prev;
      if (node.prev == nullptr) {
        list->head = node.next;
      } else {
        node.prev->next = node.next;
      }
    } else if (node.prev != nullptr) {
      node.prev->next = nullptr;
      list->tail = node.prev;
    } else {
      list->head = nullptr;
      list->tail = nullptr;
    }
  }
  node.next = nullptr;
  node.prev = nullptr;
  node.list = nullptr;
}

}  // namespace kvl::host
