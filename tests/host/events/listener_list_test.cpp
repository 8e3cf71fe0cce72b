#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugin/host/events/event_signal.h"
#include "plugin/host/events/host_listener.h"

using namespace kvl::host;

namespace {

// Checks the links of a list against the expected node order, both ways.
void expectOrder(const HostListenerList& list, const std::vector<HostListenerNode*>& nodes) {
  EXPECT_EQ(list.head, nodes.empty() ? nullptr : nodes.front());
  EXPECT_EQ(list.tail, nodes.empty() ? nullptr : nodes.back());
  EXPECT_EQ(list.count, static_cast<int>(nodes.size()));
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(nodes[i]->prev, i == 0 ? nullptr : nodes[i - 1]) << i;
    EXPECT_EQ(nodes[i]->next, i + 1 == nodes.size() ? nullptr : nodes[i + 1]) << i;
    EXPECT_EQ(nodes[i]->list, &list) << i;
  }
}

}  // namespace

TEST(ListenerList, AppendLinksAtTheTail) {
  HostListenerList list;
  HostListenerNode a, b, c;
  appendListener(list, a);
  expectOrder(list, {&a});
  appendListener(list, b);
  expectOrder(list, {&a, &b});
  appendListener(list, c);
  expectOrder(list, {&a, &b, &c});
}

TEST(ListenerList, UnlinkCases) {
  struct Case {
    const char* name;
    int count;        // nodes in the list
    int unlink;       // index to unlink
    std::vector<int> remaining;
  } cases[] = {
      {"only node", 1, 0, {}},
      {"head", 3, 0, {1, 2}},
      {"middle", 3, 1, {0, 2}},
      {"tail", 3, 2, {0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HostListenerList list;
    HostListenerNode nodes[3];
    for (int i = 0; i < c.count; ++i) appendListener(list, nodes[i]);
    unlinkListener(nodes[c.unlink]);
    EXPECT_EQ(nodes[c.unlink].next, nullptr);
    EXPECT_EQ(nodes[c.unlink].prev, nullptr);
    EXPECT_EQ(nodes[c.unlink].list, nullptr);
    std::vector<HostListenerNode*> expected;
    for (int i : c.remaining) expected.push_back(&nodes[i]);
    expectOrder(list, expected);
  }
}

TEST(ListenerList, CountsNeverGoNegative) {
  HostListenerList list;
  HostListenerNode a;
  appendListener(list, a);
  list.count = 0;  // the host's count is not trusted
  unlinkListener(a);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.head, nullptr);
  // Unlinking again only clears links.
  unlinkListener(a);
  EXPECT_EQ(list.count, 0);
  // An append after a count the host left negative starts again from zero.
  list.count = -5;
  appendListener(list, a);
  EXPECT_EQ(list.count, 0);
}

TEST(ListenerList, DestroyedNodeLeavesItsList) {
  HostListenerList list;
  HostListenerNode a;
  {
    HostListenerNode b;
    appendListener(list, a);
    appendListener(list, b);
  }
  expectOrder(list, {&a});
}

TEST(ListenerList, DestructionThroughTheTableOnlyUnlinks) {
  // A node is a member of its owner: the host's deleting destructor, whatever its flag, must
  // neither free the node nor touch the owner around it.
  struct Owner {
    std::uint32_t before = 0xA1A2A3A4u;
    HostListenerNode node;
    std::uint32_t after = 0xB1B2B3B4u;
  };
  for (std::uint32_t flags : {0u, 1u, 3u}) {
    SCOPED_TRACE(flags);
    HostListenerList list;
    Owner first, second;
    int calls = 0;
    second.node.bind(&calls, [](void* count, const void*) { ++*static_cast<int*>(count); });
    appendListener(list, first.node);
    appendListener(list, second.node);
    const HostListenerNodeTable* table = second.node.table;
    second.node.table->destroy(&second.node, flags);
    expectOrder(list, {&first.node});
    EXPECT_EQ(second.node.list, nullptr);
    EXPECT_EQ(second.before, 0xA1A2A3A4u);
    EXPECT_EQ(second.after, 0xB1B2B3B4u);
    EXPECT_NE(second.node.table, table) << "a destroyed node no longer invokes its function";
    second.node.table->invoke(&second.node, nullptr);
    EXPECT_EQ(calls, 0);
  }
}

TEST(ListenerList, AppendingALinkedNodeMovesIt) {
  HostListenerList first, second;
  HostListenerNode a, b;
  appendListener(first, a);
  appendListener(first, b);
  appendListener(second, a);
  expectOrder(first, {&b});
  expectOrder(second, {&a});
}

namespace {

// Listener that records its name, and optionally acts during the raise.
struct Probe {
  std::vector<std::string>* log;
  std::string name;
  EventSignal* signal = nullptr;
  bool raiseAgain = false;
  bool fail = false;
  std::int32_t* selectorToChange = nullptr;
  HostListenerNode node{this, &Probe::handle};

  static void handle(void* self, const void* record) {
    auto* p = static_cast<Probe*>(self);
    p->log->push_back(p->name + ":" + std::to_string(*static_cast<const int*>(record)));
    if (p->selectorToChange) *p->selectorToChange = 2;
    if (p->raiseAgain) {
      const int nested = 99;
      p->signal->raise(&nested);
    }
    if (p->fail) throw std::runtime_error("listener failed");
  }
};

}  // namespace

TEST(EventSignal, RaiseFollowsTheHostRule) {
  struct Case {
    const char* name;
    bool hasSelector;
    std::int32_t selector;
    std::int32_t busy;
    std::vector<std::string> expected;
  } cases[] = {
      {"catch-all then the selected list", true, 1, 0, {"all1:5", "all2:5", "id1:5"}},
      {"selector 0", true, 0, 0, {"all1:5", "all2:5", "id0:5"}},
      {"selector 31", true, 31, 0, {"all1:5", "all2:5", "id31:5"}},
      {"selector 32 picks no list", true, 32, 0, {"all1:5", "all2:5"}},
      {"selector 1000 picks no list", true, 1000, 0, {"all1:5", "all2:5"}},
      {"negative selector picks no list", true, -1, 0, {"all1:5", "all2:5"}},
      {"no selector: nothing", false, 1, 0, {}},
      {"busy source: nothing", true, 1, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> log;
    EventSignal signal;
    std::int32_t selector = c.selector;
    signal.selector = c.hasSelector ? &selector : nullptr;
    signal.busy = c.busy;
    Probe all1{&log, "all1"}, all2{&log, "all2"}, id0{&log, "id0"}, id1{&log, "id1"}, id31{&log, "id31"};
    appendListener(signal.catchAll(), all1.node);
    appendListener(signal.catchAll(), all2.node);
    appendListener(*signal.perId(0), id0.node);
    appendListener(*signal.perId(1), id1.node);
    appendListener(*signal.perId(31), id31.node);
    const int record = 5;
    signal.raise(&record);
    EXPECT_EQ(log, c.expected);
    EXPECT_EQ(signal.busy, c.busy) << "busy flag as before";
  }
}

TEST(EventSignal, EmptyListsDoNotStopTheOther) {
  std::vector<std::string> log;
  EventSignal signal;
  std::int32_t selector = 3;
  signal.selector = &selector;
  Probe id3{&log, "id3"};
  appendListener(*signal.perId(3), id3.node);
  const int record = 1;
  signal.raise(&record);
  EXPECT_EQ(log, std::vector<std::string>{"id3:1"});
  log.clear();
  selector = 4;
  Probe all{&log, "all"};
  appendListener(signal.catchAll(), all.node);
  signal.raise(&record);
  EXPECT_EQ(log, std::vector<std::string>{"all:1"});
}

TEST(EventSignal, NestedRaiseIsDropped) {
  std::vector<std::string> log;
  EventSignal signal;
  std::int32_t selector = 0;
  signal.selector = &selector;
  Probe a{&log, "a"}, b{&log, "b"};
  a.signal = &signal;
  a.raiseAgain = true;
  appendListener(signal.catchAll(), a.node);
  appendListener(*signal.perId(0), b.node);
  const int record = 1;
  signal.raise(&record);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1"}));
  EXPECT_EQ(signal.busy, 0);
}

TEST(EventSignal, SelectorIsReadBeforeTheListenersRun) {
  std::vector<std::string> log;
  EventSignal signal;
  std::int32_t selector = 1;
  signal.selector = &selector;
  Probe changer{&log, "changer"}, id1{&log, "id1"}, id2{&log, "id2"};
  changer.selectorToChange = &selector;  // sets it to 2 during the raise
  appendListener(signal.catchAll(), changer.node);
  appendListener(*signal.perId(1), id1.node);
  appendListener(*signal.perId(2), id2.node);
  const int record = 7;
  signal.raise(&record);
  EXPECT_EQ(log, (std::vector<std::string>{"changer:7", "id1:7"}));
}

TEST(EventSignal, AFailingListenerLeavesTheSourceWorking) {
  std::vector<std::string> log;
  EventSignal signal;
  std::int32_t selector = 0;
  signal.selector = &selector;
  Probe bad{&log, "bad"}, good{&log, "good"};
  bad.fail = true;
  appendListener(signal.catchAll(), bad.node);
  appendListener(signal.catchAll(), good.node);
  const int first = 1, second = 2;
  signal.raise(&first);
  EXPECT_EQ(signal.busy, 0);
  signal.raise(&second);
  EXPECT_EQ(log, (std::vector<std::string>{"bad:1", "good:1", "bad:2", "good:2"}));
}

namespace {
std::vector<std::string>* seenByCustomSlot;
void QZR_THISCALL customInvoke(HostListenerNode*, const void*) noexcept {
  seenByCustomSlot->push_back("custom");
}
}  // namespace

TEST(EventSignal, HostTableIsCalledThroughTheNode) {
  // The raise goes through slot 1 of the node's table, as the host's raise does.
  std::vector<std::string> log;
  EventSignal signal;
  std::int32_t selector = 0;
  signal.selector = &selector;
  Probe a{&log, "a"};
  appendListener(signal.catchAll(), a.node);
  seenByCustomSlot = &log;
  const HostListenerNodeTable custom = {a.node.table->destroy, customInvoke};
  const HostListenerNodeTable* original = a.node.table;
  a.node.table = &custom;
  const int record = 0;
  signal.raise(&record);
  a.node.table = original;
  EXPECT_EQ(log, std::vector<std::string>{"custom"});
}
