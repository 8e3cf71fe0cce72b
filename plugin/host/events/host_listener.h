#pragma once
// The host's listener lists and the nodes the plugin links into them. The first four words of a
// node and the whole list are host layout: the host walks them when it raises.
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostListenerNode;

struct HostListenerList {
  HostListenerNode* head = nullptr;
  HostListenerNode* tail = nullptr;
  std::int32_t count = 0;
  std::uint32_t reserved = 0;  // the host's; never touched
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostListenerList) == 16, "host listener list is 16 bytes");

// The table the host calls through: slot 0 deleting destructor, slot 1 invoke.
struct HostListenerNodeTable {
  void(QZR_THISCALL* destroy)(HostListenerNode* self, std::uint32_t flags) noexcept;
  void(QZR_THISCALL* invoke)(HostListenerNode* self, const void* record) noexcept;
};

// A listener: user data and the function that handles the event for it. The function runs inside
// a host raise: it must not throw (invoke catches anything that escapes it anyway).
using ListenerFunction = void (*)(void* userData, const void* record);

struct HostListenerNode {
  const HostListenerNodeTable* table;
  HostListenerNode* next = nullptr;
  HostListenerNode* prev = nullptr;
  HostListenerList* list = nullptr;
  void* userData = nullptr;
  ListenerFunction function = nullptr;

  HostListenerNode() noexcept;
  HostListenerNode(void* owner, ListenerFunction handler) noexcept;
  // Resets the table to the abstract node table and unlinks the node.
  ~HostListenerNode();
  HostListenerNode(const HostListenerNode&) = delete;
  HostListenerNode& operator=(const HostListenerNode&) = delete;

  void bind(void* owner, ListenerFunction handler) noexcept {
    userData = owner;
    function = handler;
  }
  // Calls the function with the record; nothing escapes.
  void invoke(const void* record) noexcept;
  bool linked() const noexcept { return list != nullptr; }

  // A node whose function calls Method on an Owner.
  template <typename Owner, void (Owner::*Method)(const void*)>
  static ListenerFunction member() noexcept {
    return [](void* owner, const void* record) { (static_cast<Owner*>(owner)->*Method)(record); };
  }
};
QZR_HOST_LAYOUT_ASSERT(offsetof(HostListenerNode, next) == 4, "node next at +4");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostListenerNode, prev) == 8, "node prev at +8");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostListenerNode, list) == 12, "node list at +12");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostListenerNode, userData) == 16, "node user data at +16");

// Appends a node at the tail of a list. A node belongs to one list at most: a linked node is
// unlinked first.
void appendListener(HostListenerList& list, HostListenerNode& node) noexcept;
// Unlinks a node from its list; an unlinked node only has its links cleared.
void unlinkListener(HostListenerNode& node) noexcept;

}  // namespace kvl::host
