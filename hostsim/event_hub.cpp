#include "hostsim/event_hub.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/host_layout.h"

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
  hub = static_cast<unsigned char*>(std::calloc(kSourceCount, kSourceStride));
  for (std::uint32_t k = 0; k < kSourceCount; ++k) eventSource(k)->selector = &selectors[k];
  const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hub));
  std::memcpy(reinterpret_cast<void*>(kEventHubGlobal), &word, 4);
}

EventSource* eventSource(std::uint32_t k) {
  return reinterpret_cast<EventSource*>(hub + k * kSourceStride);
}

void setSelector(std::uint32_t k, std::int32_t value) { selectors[k] = value; }

void raiseEvent(std::uint32_t k, const void* record) {
  EventSource* s = eventSource(k);
  if (s->selector == nullptr || s->busy != 0) {
    trace("raise " + std::to_string(k) + " dropped");
    return;
  }
  s->busy = 1;
  const std::int32_t v = *s->selector;
  for (ListenerNode* n = s->lists[32].head; n != nullptr; n = n->next) n->table->invoke(n, record);
  if (v >= 0 && v < 32) {
    for (ListenerNode* n = s->lists[v].head; n != nullptr; n = n->next) n->table->invoke(n, record);
  }
  s->busy = 0;
}

void appendHostListener(std::uint32_t k, ListenerNode& node) {
  ListenerList& list = eventSource(k)->lists[32];
  node.prev = list.tail;
  if (list.tail != nullptr) list.tail->next = &node; else list.head = &node;
  list.tail = &node;
  node.list = &list;
  ++list.count;
}

void addHostListener(std::uint32_t k) {
  auto* t = new TracingNode{{&tracingTable, nullptr, nullptr, nullptr}, k};
  appendHostListener(k, t->node);
}

}  // namespace hostsim
