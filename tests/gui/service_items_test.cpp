// The service screen's key and countdown items on a host stand-in: scripted service visits, the
// host calls they make, the messages they show and the time they hand to the rally event.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/gui/service_items.h"
#include "plugin/gui/service_time.h"
#include "plugin/host/model/host_message_box.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;
using Calls = std::vector<std::string>;

namespace {

#define THISCALL __attribute__((thiscall))

// The host's side: service object (done flag +12), clock (period +0, remaining +4), counters.
struct HostState {
  unsigned char service[64] = {};
  float clock[2] = {0.0f, 0.0f};
  unsigned char box[16] = {};
  unsigned char manager[256] = {};
  std::int32_t elapsed = 0, parts = 0, working = 1;
  float workTime = 12.0f;
  kvl::host::MessageCallback callback = nullptr;
  void* userData = nullptr;
  Calls calls;
};
HostState* state = nullptr;

float THISCALL workTime(void*) { return state->workTime; }
std::int32_t THISCALL elapsedCount(void*) { return state->elapsed; }
std::int32_t THISCALL isWorking(void*) { return state->working; }
std::int32_t THISCALL partCount(void*) { return state->parts; }
void* THISCALL partAt(void*, std::int32_t) { return nullptr; }
std::int32_t THISCALL closeVisit(void*) {
  state->calls.push_back("finish");
  state->working = 0;
  return 1;
}
std::int32_t THISCALL advance(float* clock, float seconds) {
  clock[1] -= seconds;
  return 0;
}
void THISCALL showMessage(void*, std::int32_t message, kvl::host::MessageCallback callback, void* userData) {
  state->calls.push_back("message " + std::to_string(message));
  state->callback = callback;
  state->userData = userData;
}
std::int32_t THISCALL back(void*, std::int32_t) {
  state->calls.push_back("back");
  return 0;
}
std::int32_t THISCALL panelInput(void*, std::int32_t code, std::int32_t data) {
  state->calls.push_back("panel " + std::to_string(code) + " " + std::to_string(data));
  return 7;
}
void THISCALL hostSlot(void*) { state->calls.push_back("host slot"); }

struct ServiceItemsTest : ::testing::Test {
  kvl::testing::HostFixture host;
  HostState s;
  void setTable(std::uint32_t va) {
    for (int i = 0; i < 14; ++i) {
      const auto entry = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&hostSlot));
      std::memcpy(host.at(va) + 4 * i, &entry, 4);
    }
  }
  void SetUp() override {
    ASSERT_TRUE(host.loaded());
    state = &s;
    host.setGlobal(0x7D2AF4, s.service);
    host.setGlobal(0x7D2AF8, s.clock);
    host.setGlobal(0x7D2344, s.box);
    host.setGlobal(0x165FA48, s.manager);
    host.paintFunction(0x5B11C0, &workTime);
    host.paintFunction(0x5B0590, &elapsedCount);
    host.paintFunction(0x5B1360, &isWorking);
    host.paintFunction(0x5AFDE0, &partCount);
    host.paintFunction(0x5AFDB0, &partAt);
    host.paintFunction(0x5B1140, &closeVisit);
    host.paintFunction(0x5B1640, &advance);
    host.paintFunction(0x58DC60, &showMessage);
    host.paintFunction(0x560290, &back);
    host.paintFunction(0x5C5920, &panelInput);
    host.paintFunction(0x5C5720, +[](unsigned char* panel, std::int32_t) THISCALL { return panel; });
    host.paintFunction(0x5C55C0, +[](unsigned char* timer) THISCALL {
      const float delay = 1.0f;
      std::memcpy(timer + 4, &delay, 4);
      return timer;
    });
    setTable(0x74C8BC);
    setTable(0x74C83C);
    addServiceTime(-1.0f);
  }
  void setDone(bool done) { s.service[12] = done ? 1 : 0; }
  bool done() const { return s.service[12] != 0; }
};

// The slot the host calls on the item.
template <typename Fn>
Fn slot(const void* item, int index) {
  const auto* table = *static_cast<void* const* const*>(item);
  return reinterpret_cast<Fn>(table[index]);
}

}  // namespace

TEST_F(ServiceItemsTest, ServiceKey) {
  alignas(8) unsigned char item[ServiceKeyItem::kSize] = {};
  ServiceKeyItem::construct(item, 3);
  using OnInput = std::int32_t(THISCALL*)(void*, std::int32_t, std::int32_t);
  slot<void(THISCALL*)(void*)>(item, 0)(item);  // the host's own slots stay
  ASSERT_EQ(s.calls, Calls{"host slot"});

  struct Case {
    const char* what;
    bool done;
    std::int32_t event, value, limit, parts;
    Calls calls;
    std::int32_t limitAfter;
    bool doneAfter;
    float period, remaining;
  } cases[] = {
      {"value set", false, kServiceKeyEvent, 1, 5, 2, {}, 0, false, 0.0f, 100.0f},
      {"limit reached", false, kServiceKeyEvent, 0, 3, 2, {"panel 1073741856 0"}, 3, false, 0.0f, 100.0f},
      {"no parts", false, kServiceKeyEvent, 0, 5, 0, {"message 38"}, 5, false, 0.0f, 100.0f},
      {"parts", false, kServiceKeyEvent, 0, 5, 2, {}, 5, true, 30.0f, 100.0f},
      {"passed on", false, kServicePassEvent, 9, 5, 2, {"panel 1073741863 9"}, 5, false, 0.0f, 100.0f},
      {"other", false, 0x40000021, 0, 5, 2, {}, 5, false, 0.0f, 100.0f},
      {"done", true, kServiceKeyEvent, 0, 5, 2, {}, 5, true, 0.0f, 88.0f},
      {"done, passed event", true, kServicePassEvent, 0, 5, 2, {}, 5, true, 0.0f, 100.0f},
  };
  for (const Case& c : cases) {
    s.calls.clear();
    setDone(c.done);
    std::memcpy(item + 8, &c.limit, 4);
    s.elapsed = 3;
    s.parts = c.parts;
    s.clock[0] = 0.0f;
    s.clock[1] = 100.0f;
    slot<OnInput>(item, 1)(item, c.event, c.value);
    std::int32_t limit = 0;
    std::memcpy(&limit, item + 8, 4);
    EXPECT_EQ(s.calls, c.calls) << c.what;
    EXPECT_EQ(limit, c.limitAfter) << c.what;
    EXPECT_EQ(done(), c.doneAfter) << c.what;
    EXPECT_EQ(s.clock[0], c.period) << c.what;
    EXPECT_EQ(s.clock[1], c.remaining) << c.what;
  }
}

TEST_F(ServiceItemsTest, EmptyPartListMessageWaitsForItsAnswer) {
  alignas(8) unsigned char item[ServiceKeyItem::kSize] = {};
  ServiceKeyItem::construct(item, 0);
  const std::int32_t limit = 5;
  std::memcpy(item + 8, &limit, 4);
  s.clock[1] = -150.0f;
  slot<std::int32_t(THISCALL*)(void*, std::int32_t, std::int32_t)>(item, 1)(item, kServiceKeyEvent, 0);
  ASSERT_EQ(s.calls, Calls{"message 38"});
  EXPECT_EQ(s.userData, nullptr);
  s.callback(1);
  EXPECT_EQ(s.calls, Calls{"message 38"});
  EXPECT_EQ(serviceTime(), -1.0f);
  s.callback(0);
  EXPECT_EQ(s.calls, (Calls{"message 38", "finish", "back"}));
  EXPECT_EQ(serviceTime(), 20.0f);
}

TEST_F(ServiceItemsTest, CountdownEndsEachVisitOnce) {
  alignas(8) unsigned char item[ServiceCountdownItem::kSize] = {};
  ServiceCountdownItem::construct(item);
  using Update = void(THISCALL*)(void*, float);
  const auto update = slot<Update>(item, 2);
  auto overtime = [&] {
    float v;
    std::memcpy(&v, item + ServiceCountdownItem::kOvertimeOffset, 4);
    return v;
  };

  // Time left: the visit ends a second after the work started, with nothing to add.
  s.clock[1] = 90.5f;
  update(item, 0.5f);
  EXPECT_EQ(s.calls, Calls{});
  update(item, 0.5f);
  ASSERT_EQ(s.calls, (Calls{"finish", "message 24"}));
  EXPECT_EQ(serviceTime(), 0.0f);
  EXPECT_EQ(s.userData, item + ServiceCountdownItem::kOvertimeOffset);
  s.callback(1);
  EXPECT_EQ(s.calls.back(), "back");

  // Over time with the service done: 150 s over adds 20, once.
  s.calls.clear();
  update(item, 0.5f);  // not working: the next visit starts afresh
  s.working = 1;
  setDone(true);
  s.clock[1] = -149.0f;
  for (int i = 0; i < 4; ++i) update(item, 0.5f);
  EXPECT_EQ(s.calls, (Calls{"finish", "message 24"}));
  EXPECT_EQ(overtime(), 20.0f);
  EXPECT_EQ(serviceTime(), 20.0f);

  // Time up and the service not done: message 39 once, answered 0 ends the visit.
  s.calls.clear();
  update(item, 0.5f);
  s.working = 1;
  setDone(false);
  s.clock[1] = -59.0f;
  update(item, 0.5f);
  update(item, 0.5f);
  ASSERT_EQ(s.calls, Calls{"message 39"});
  s.callback(0);
  EXPECT_EQ(s.calls, (Calls{"message 39", "finish", "back"}));
  EXPECT_EQ(serviceTime(), 10.0f);
}
