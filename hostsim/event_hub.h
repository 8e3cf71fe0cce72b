#pragma once
// The host's event hub: sources of 536 bytes (busy word, selector pointer, 32 per-id lists and a
// catch-all list), raised by the host's rule.
#include <cstdint>

namespace hostsim {

struct ListenerNode;

struct ListenerList {
  ListenerNode* head;
  ListenerNode* tail;
  std::int32_t count;
  std::uint32_t unused;
};
static_assert(sizeof(ListenerList) == 16, "list layout");

struct ListenerNodeTable {
  void(__attribute__((thiscall)) * destroy)(ListenerNode*, std::uint32_t);
  void(__attribute__((thiscall)) * invoke)(ListenerNode*, const void*);
};

struct ListenerNode {
  const ListenerNodeTable* table;
  ListenerNode* next;
  ListenerNode* prev;
  ListenerList* list;
};

struct EventSource {
  std::int32_t busy;
  std::int32_t* selector;
  ListenerList lists[33];
};
static_assert(sizeof(EventSource) == 536, "source layout");

// Creates the hub, stores it in the host global and gives every source a selector word.
void createEventHub();
EventSource* eventSource(std::uint32_t k);
// The host's raise.
void raiseEvent(std::uint32_t k, const void* record);
void setSelector(std::uint32_t k, std::int32_t value);
// Appends a node at the tail of the source's catch-all list, as the host links its listeners.
void appendHostListener(std::uint32_t k, ListenerNode& node);
// Appends a host listener of its own that traces what it receives.
void addHostListener(std::uint32_t k);

}  // namespace hostsim
