#include "hostsim/event_hub.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

unsigned char* hub = nullptr;
std::int32_t selectors[kSourceCount];

struct TracingNode {
  ListenerNode node;
  std::uint32_t source;
};

void __attribute__((thiscall)) tracingDestroy(ListenerNode*, std::uint32_t) {}
void __attribute__((thiscall)) tracingInvoke(ListenerNode* node, const void* record) {
  const auto* self = reinterpret_cast<const TracingNode*>(node);
  std::int32_t first = 0;
  if (record != nullptr) std::memcpy(&first, record, 4);
  trace("host listener " + std::to_string(self->source) + " " + std::to_string(first));
}
const ListenerNodeTable tracingTable = {tracingDestroy, tracingInvoke};

}  // namespace

void createEventHub() {
  hub = hostObject("eventhub", kSourceCount * kSourceStride);
  watchObject("selectors", selectors, sizeof selectors);
  // Every source idle, its selector word 0, every list empty (the lists' fourth words are never
  // touched).
  for (std::uint32_t k = 0; k < kSourceCount; ++k) {
    unsigned char* source = hub + k * kSourceStride;
    put(source, 0, 0);
    put(source, 4, wordOf(&selectors[k]));
    put(&selectors[k], 0, 0);
    for (std::uint32_t i = 0; i < 33; ++i) {
      put(source, 8 + 16 * i, 0u);
      put(source, 12 + 16 * i, 0u);
      put(source, 16 + 16 * i, 0);
    }
  }
  put(pointer(kEventHubGlobal), 0, wordOf(hub));
}

EventSource* eventSource(std::uint32_t k) {
  return reinterpret_cast<EventSource*>(hub + k * kSourceStride);
}

void setSelector(std::uint32_t k, std::int32_t value) { put(&selectors[k], 0, value); }

void raiseEvent(std::uint32_t k, const void* record) {
  EventSource* s = eventSource(k);
  if (s->selector == nullptr || s->busy != 0) {
    trace("raise " + std::to_string(k) + " dropped");
    return;
  }
  put(&s->busy, 0, 1);
  const std::int32_t v = *s->selector;
  for (ListenerNode* n = s->lists[32].head; n != nullptr; n = n->next) n->table->invoke(n, record);
  if (v >= 0 && v < 32) {
    for (ListenerNode* n = s->lists[v].head; n != nullptr; n = n->next) n->table->invoke(n, record);
  }
  put(&s->busy, 0, 0);
}

void appendHostListener(std::uint32_t k, ListenerNode& node) {
  ListenerList& list = eventSource(k)->lists[32];
  put(&node.prev, 0, list.tail);
  put(&node.next, 0, static_cast<ListenerNode*>(nullptr));
  if (list.tail != nullptr) put(&list.tail->next, 0, &node); else put(&list.head, 0, &node);
  put(&list.tail, 0, &node);
  put(&node.list, 0, &list);
  put(&list.count, 0, list.count + 1);
}

void addHostListener(std::uint32_t k) {
  auto* t = reinterpret_cast<TracingNode*>(hostObject("hostlistener", sizeof(TracingNode)));
  put(&t->node.table, 0, &tracingTable);
  put(&t->source, 0, k);
  appendHostListener(k, t->node);
}

}  // namespace hostsim
