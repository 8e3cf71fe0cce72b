#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/entry/plugin_controller.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/event_signal.h"
#include "plugin/host/events/host_event_hub.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/host_paint.h"

using namespace kvl;
using kvl::host::EventSignal;
using kvl::host::HostEventHub;

namespace {

// A host stand-in module (at a base other than the host's) in whose region the test lays out
// the globals and objects the controller reads.
struct FakeHost {
  HMODULE module = LoadLibraryA("Korvala_SSE.exe");
  unsigned char* region = nullptr;
  std::size_t size = 0;
  unsigned char* hub = nullptr;
  unsigned char* game = nullptr;
  std::int32_t selectors[96] = {};

  FakeHost() {
    using RegionFn = void (*)(unsigned char**, std::size_t*);
    auto fn = reinterpret_cast<RegionFn>(reinterpret_cast<void*>(GetProcAddress(module, "fixtureRegion")));
    fn(&region, &size);
    // Objects near the end of the region, above every host global the controller uses.
    hub = region + size - 0x100000;
    game = region + size - 0x8000;
    for (std::uint32_t k = 0; k < 96; ++k) source(k)->selector = &selectors[k];
    setGlobal(0x893600, hub);
    setGlobal(0x7EAC48, game);
  }
  unsigned char* at(std::uint32_t va) const {
    return reinterpret_cast<unsigned char*>(reinterpret_cast<std::uintptr_t>(module) + (va - 0x400000u));
  }
  void setGlobal(std::uint32_t va, const void* object) {
    const auto word = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(object));
    std::memcpy(at(va), &word, 4);
  }
  EventSignal* source(std::uint32_t k) {
    return reinterpret_cast<EventSignal*>(hub + k * sizeof(EventSignal));
  }
  void setState(std::int32_t state) { std::memcpy(game + 1832, &state, 4); }
  // The host's raise of a game-state change: raised first, then entered.
  void changeState(std::int32_t next) {
    host::GameStateEvent event;
    event.state = next;
    source(52)->raise(&event);
    setState(next);
  }
  std::uint8_t displayFlag() const { return *at(0x7EA274); }
};

// The host's name lookup (stdcall, like the host's): three wheels exist, the right rear one
// does not.
unsigned char* wheelObjects = nullptr;
std::uint32_t WINAPI nameIdHandler(const char* name) {
  const std::string n = name;
  const char* known[3] = {"CAR_WHEEL_LF", "CAR_WHEEL_RF", "CAR_WHEEL_LB"};
  for (int i = 0; i < 3; ++i) {
    if (n == known[i]) return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(wheelObjects + i * 4096));
  }
  return 0;
}

std::vector<std::string> names(const PatchGroupList& list) {
  std::vector<std::string> out;
  for (const auto& g : list) out.push_back(g->name());
  return out;
}

}  // namespace

TEST(PluginController, StartUpAndGameStateEvents) {
  kvl::testing::ScratchFolder scratch;
  kvl::testing::writeWholeFile("Korvala.ini",
                          "[QZR]\r\ntarmacSkidSoundThreshold=5\r\nskidSoundThreshold=500\r\n"
                          "gearChangeIndicatorDeltaRPM=-1\r\n");
  FakeHost host;
  ASSERT_NE(host.module, nullptr);
  ASSERT_NE(host.region, nullptr);
  ASSERT_EQ(HostEventHub::instance(), reinterpret_cast<HostEventHub*>(host.hub));
  kvl::testing::paintRuntimeMalloc(host.module);
  kvl::testing::paintRecordConstructor(host.module);

  PluginController& controller = PluginController::instance();
  EXPECT_EQ(&controller, &PluginController::instance());

  // List A in the start-up order; list B waits for the host. The stand-in has no host code at
  // the main group's sites, so its redirections find no call to redirect; the others are empty.
  EXPECT_EQ(names(controller.startupGroups()),
            (std::vector<std::string>{"Sound", "Game Stuff", "Fullscreen Window", "V-Sync", "Head Gasket",
                                      "Center Menu", "Load Data", "Quazirra", "QZR Car Setup"}));
  // Groups with rows hold patches over this stand-in's empty sites; the others are still empty.
  const std::vector<std::string> withRows = {"Sound", "Game Stuff", "Fullscreen Window", "V-Sync", "Center Menu",
                                             "Load Data", "Quazirra", "QZR Car Setup"};
  for (const auto& g : controller.startupGroups()) {
    if (g->name() == "Head Gasket") {
      EXPECT_EQ(g->status(), "Disabled (Durability <= 1).");
    } else if (std::find(withRows.begin(), withRows.end(), g->name()) == withRows.end()) {
      EXPECT_EQ(g->status(), "Missing") << g->name();
    }
    EXPECT_EQ(g->id(), g->name() == "Quazirra" ? 2 : 0) << g->name();
  }
  EXPECT_TRUE(controller.modeGroups().empty());
  // "Sound": 444 patches less the 92 displaced host instructions of its guards, copied as one
  // patch per guard.
  EXPECT_EQ(controller.startupGroups().front()->patches().size(), 408u);

  // The controller's node first in the catch-all lists of sources 52, 65 and 10; the sound and
  // telemetry clients' nodes and the workers' nodes (two for each of the three) follow on 52
  // and 10.
  for (std::uint32_t k : {52u, 65u, 10u}) {
    EXPECT_EQ(host.source(k)->catchAll().count, k == 52 ? 9 : k == 10 ? 6 : 1) << k;
    ASSERT_NE(host.source(k)->catchAll().head, nullptr) << k;
    EXPECT_EQ(host.source(k)->catchAll().head->userData, &controller) << k;
  }

  // The first event while the host is in INIT builds list B once.
  host.setState(0);
  host::GameStateEvent event;
  event.state = 6;
  host.source(52)->raise(&event);
  EXPECT_EQ(names(controller.modeGroups()), (std::vector<std::string>{"Aspect Ratio", "Track Loading"}));
  host.source(52)->raise(&event);
  EXPECT_EQ(controller.modeGroups().size(), 2u);
  PatchGroupList all;
  controller.collectGroups(all);
  EXPECT_EQ(all.size(), 11u);
  EXPECT_EQ(all.back()->name(), "Track Loading");

  // A loading state without Railwise.DLL does nothing harmful.
  host.setState(12);
  host.changeState(13);
  EXPECT_FLOAT_EQ(tarmacSkidSoundScale, 0.1f);
  EXPECT_FLOAT_EQ(skidSoundScale, 2.0f);
  EXPECT_FLOAT_EQ(gearChangeIndicatorDelta, 200.0f);
  EXPECT_EQ(host.displayFlag(), 0);

  // The display flag: 1 after INITIALIZE_TRACK, 0 leaving PAUSE or COUNTDOWN, 1 entering PAUSE.
  host.changeState(1);  // current 13
  EXPECT_EQ(host.displayFlag(), 1);
  host.changeState(2);  // next 2
  EXPECT_EQ(host.displayFlag(), 1);
  host.changeState(1);  // current 2
  EXPECT_EQ(host.displayFlag(), 0);

  // Entering LOADING clears the host word at 0x894FBC.
  const std::uint32_t busyWord = 7;
  std::memcpy(host.at(0x894FBC), &busyWord, 4);
  host.changeState(5);
  std::uint32_t word = 1;
  std::memcpy(&word, host.at(0x894FBC), 4);
  EXPECT_EQ(word, 0u);

  const std::int32_t none = 0;
  // Wheel data: the records of the wheels the host knows, zeros for the missing one.
  wheelObjects = host.region + host.size - 0x20000;
  for (int i = 0; i < 3; ++i) std::memset(wheelObjects + i * 4096 + 1388, 0x10 + i, kWheelRecordSize);
  std::memset(wheelRecordSnapshot, 0xEE, sizeof wheelRecordSnapshot);
  kvl::testing::paintJump(host.at(0x5021B0), reinterpret_cast<const void*>(&nameIdHandler));
  host.source(65)->raise(&none);
  for (int i = 0; i < 4; ++i) {
    const unsigned char expected = i < 3 ? static_cast<unsigned char>(0x10 + i) : 0;
    EXPECT_EQ(wheelRecordSnapshot[i][0], expected) << i;
    EXPECT_EQ(wheelRecordSnapshot[i][kWheelRecordSize - 1], expected) << i;
  }

  // The sources stay usable after every raise.
  EXPECT_EQ(host.source(52)->busy, 0);
  host.source(10)->raise(&none);
  EXPECT_EQ(host.source(10)->busy, 0);
}

TEST(PluginController, SkidAndGearValues) {
  struct Case {
    int option;
    float scale;
  } scales[] = {{5, 0.1f}, {10, 0.1f}, {100, 1.0f}, {150, 1.5f}, {200, 2.0f}, {500, 2.0f}, {-20, 0.1f}};
  for (const auto& c : scales) EXPECT_FLOAT_EQ(skidSoundScaleFor(c.option), c.scale) << c.option;
  EXPECT_FLOAT_EQ(gearChangeIndicatorDeltaFor(-1), 200.0f);
  EXPECT_FLOAT_EQ(gearChangeIndicatorDeltaFor(0), 0.0f);
  EXPECT_FLOAT_EQ(gearChangeIndicatorDeltaFor(350), 350.0f);
}
