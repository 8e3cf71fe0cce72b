// Every hook group the controller builds, with every switch on: how many patches it holds and
// where its first and last patch lie (its rows in table order). The test also writes the groups'
// sites to "qzr-group-sites.txt" in its working folder, which the simulated host's coverage
// report reads.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "plugin/host/binding/module_address.h"
#include "plugin/host/entry/plugin_controller.h"
#include "plugin/host/events/event_records.h"
#include "plugin/host/events/event_signal.h"
#include "tests/support/file_text.h"
#include "tests/support/host_paint.h"
#include "tests/support/scratch_folder.h"

using namespace kvl;

namespace {

// A module of the host laid out at `base` in this process, at preferred base `preferred`.
struct Module {
  std::uintptr_t base;
  std::uint32_t preferred;
  std::uint32_t size;
};

struct GroupCount {
  const char* name;
  std::size_t patches;
  std::uint32_t first;  // site of the first patch, at the module's preferred base
  std::uint32_t last;
};

// "Sound": 444 rows, the 92 displaced host instructions of its 56 guards copied as one patch per
// guard (408). "Fullscreen Window" and "Head Gasket" hold their rows with the switches below.
const GroupCount kGroups[] = {
    {"Sound", 408, 0x4CFA98, 0x4ADA60},
    {"Game Stuff", 49, 0x559214, 0x44A833},
    {"Fullscreen Window", 1, 0x40B383, 0x40B383},
    {"V-Sync", 1, 0x4C18FC, 0x4C18FC},
    {"Head Gasket", 7, 0x50D9C4, 0x50DA1C},
    {"Center Menu", 3, 0x4BFC79, 0x4C1A5C},
    {"Load Data", 6, 0x47B011, 0x5F1172},
    {"Quazirra", 281, 0x520265, 0x4919CE},
    {"QZR Car Setup", 12, 0x5487D0, 0x744ECC},
    {"Aspect Ratio", 9, 0x4C098D, 0x6006A1B5},
    {"Track Loading", 34, 0x600704C1, 0x61021DCC},
};

class Layout {
 public:
  explicit Layout(HMODULE host) {
    modules_[0] = {reinterpret_cast<std::uintptr_t>(host), 0x400000u, 0x1400000u};
    for (int k = 1; k < 3; ++k) {
      void* block = VirtualAlloc(nullptr, 0x100000, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
      modules_[k] = {reinterpret_cast<std::uintptr_t>(block), k == 1 ? 0x60000000u : 0x61000000u, 0x100000u};
    }
  }
  std::uintptr_t base(int k) const { return modules_[k].base; }
  // The site at its module's preferred base; 0 outside the three modules.
  std::uint32_t preferred(std::uintptr_t address) const {
    for (const Module& m : modules_) {
      if (address >= m.base && address - m.base < m.size) return static_cast<std::uint32_t>(address - m.base) + m.preferred;
    }
    return 0;
  }
  // Code the process can run: an E8 or E9 byte inside another instruction's operand points
  // nowhere in particular, almost never at committed executable memory.
  static bool executable(std::uintptr_t address) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) == 0) return false;
    const DWORD run = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return info.State == MEM_COMMIT && (info.Protect & run) != 0;
  }
  // A call redirection, or new bytes holding a CALL or JMP into the plugin.
  bool reachesPlugin(const host::MemoryPatch& p) const {
    if (p.site() == host::MemoryPatch::Site::branchOperand) return true;
    const auto at = reinterpret_cast<std::uintptr_t>(p.address());
    for (std::int32_t i = 0; i + 5 <= p.length(); ++i) {
      if (p.newBytes()[i] != 0xE8 && p.newBytes()[i] != 0xE9) continue;
      std::uint32_t displacement = 0;
      std::memcpy(&displacement, p.newBytes() + i + 1, 4);
      const auto target = static_cast<std::uintptr_t>(static_cast<std::uint32_t>(at + i + 5 + displacement));
      if (preferred(target) == 0 && executable(target)) return true;
    }
    return false;
  }

 private:
  Module modules_[3];
};

void setWord(std::uintptr_t at, std::uintptr_t value) {
  const auto word = static_cast<std::uint32_t>(value);
  std::memcpy(reinterpret_cast<void*>(at), &word, 4);
}

}  // namespace

TEST(HookGroups, PatchCountsInTableOrder) {
  const std::string listing = kvl::testing::currentDirectory() + "\\qzr-group-sites.txt";
  kvl::testing::ScratchFolder scratch;
  kvl::testing::writeWholeFile("Korvala.ini", "[Settings]\r\nFullscreen=0\r\n[QZR]\r\nheadGasketDurability=4\r\n");
  HMODULE hostModule = LoadLibraryA("Korvala_SSE.exe");
  ASSERT_NE(hostModule, nullptr);
  Layout layout(hostModule);
  unsigned char* region = nullptr;
  std::size_t size = 0;
  using RegionFn = void (*)(unsigned char**, std::size_t*);
  reinterpret_cast<RegionFn>(reinterpret_cast<void*>(GetProcAddress(hostModule, "fixtureRegion")))(&region, &size);
  const auto at = [&](std::uint32_t va) { return layout.base(0) + (va - 0x400000u); };
  // The event hub and the game object near the region's end; a graphics object that records
  // where the two modules are.
  static std::int32_t selectors[96] = {};
  unsigned char* hub = region + size - 0x100000;
  for (std::uint32_t k = 0; k < 96; ++k) reinterpret_cast<host::EventSignal*>(hub + k * sizeof(host::EventSignal))->selector = &selectors[k];
  unsigned char* game = region + size - 0x8000;
  unsigned char* graphics = region + size - 0x4000;
  setWord(at(0x893600), reinterpret_cast<std::uintptr_t>(hub));
  setWord(at(0x7EAC48), reinterpret_cast<std::uintptr_t>(game));
  setWord(at(host::HostModuleTable::kGraphicsGlobal), reinterpret_cast<std::uintptr_t>(graphics));
  setWord(reinterpret_cast<std::uintptr_t>(graphics + host::HostModuleTable::kSpindleBaseOffset), layout.base(1));
  setWord(reinterpret_cast<std::uintptr_t>(graphics + host::HostModuleTable::kRailwiseBaseOffset), layout.base(2));
  kvl::testing::paintRuntimeMalloc(hostModule);
  kvl::testing::paintRecordConstructor(hostModule);

  PluginController& controller = PluginController::instance();
  // The first game-state event in INIT builds the first-event groups.
  host::GameStateEvent event;
  event.state = 6;
  reinterpret_cast<host::EventSignal*>(hub + 52 * sizeof(host::EventSignal))->raise(&event);

  PatchGroupList groups;
  controller.collectGroups(groups);
  ASSERT_EQ(groups.size(), std::size(kGroups));
  std::ofstream out(listing, std::ios::trunc);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const PatchGroup& group = *groups[g];
    const GroupCount& expected = kGroups[g];
    EXPECT_EQ(group.name(), expected.name);
    const auto site = [&](std::size_t k) { return layout.preferred(reinterpret_cast<std::uintptr_t>(group.patches()[k]->address())); };
    EXPECT_EQ(group.patches().size(), expected.patches) << expected.name;
    if (!group.patches().empty()) {
      EXPECT_EQ(site(0), expected.first) << expected.name;
      EXPECT_EQ(site(group.patches().size() - 1), expected.last) << expected.name;
    }
    for (const auto& p : group.patches()) {
      out << group.name() << '\t' << std::hex << layout.preferred(reinterpret_cast<std::uintptr_t>(p->address()))
          << std::dec << '\t' << p->length() << '\t' << (layout.reachesPlugin(*p) ? "call" : "-") << '\n';
    }
  }
}
