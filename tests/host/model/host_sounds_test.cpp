// Calls on host sound objects through their tables, the after-seek call-through and a sound
// mirror's destruction, on the host stand-in (i686).
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "plugin/host/model/host_sounds.h"
#include "tests/support/host_fixture.h"

using namespace kvl::host;

namespace {

#define THISCALL __attribute__((thiscall))

std::string calls;
bool owned = true;
std::uint32_t flags = 0;

// The host answers with nonzero words; these have a low byte of 0.
std::uint32_t THISCALL managerContains(void*, void*) { return owned ? 0x100u : 0u; }
std::uint32_t THISCALL soundHasFlag(void*, std::uint32_t mask) { return (flags & mask) << 8; }
void THISCALL soundSetLevel(void*, std::int32_t v) { calls += "level" + std::to_string(v) + " "; }
void THISCALL soundSetMode(void*, std::int32_t v) { calls += "mode" + std::to_string(v) + " "; }
void THISCALL soundUpdate(void*) { calls += "update "; }
void THISCALL soundStop(void*) { calls += "stop "; }

void* managerTable[16] = {};
void* soundTable[32] = {};

struct Object {
  void* table;
  std::uint32_t rest[3];
};

TEST(HostSounds, MutesOnlyAnOwnedSoundWithFlagTwo) {
  managerTable[8] = reinterpret_cast<void*>(&managerContains);
  soundTable[13] = reinterpret_cast<void*>(&soundHasFlag);
  soundTable[24] = reinterpret_cast<void*>(&soundSetLevel);
  soundTable[22] = reinterpret_cast<void*>(&soundSetMode);
  soundTable[21] = reinterpret_cast<void*>(&soundUpdate);
  soundTable[23] = reinterpret_cast<void*>(&soundStop);
  Object manager{managerTable, {}};
  Object sound{soundTable, {}};
  struct Case {
    bool owned;
    std::uint32_t flags;
    const char* calls;
  } cases[] = {
      {true, 2, "level0 mode1 update "},
      {true, 2 | 128, "level0 mode1 update stop "},
      {true, 128, ""},
      {false, 2 | 128, ""},
  };
  for (const Case& c : cases) {
    calls.clear();
    owned = c.owned;
    flags = c.flags;
    muteHostSound(&manager, &sound);
    EXPECT_EQ(calls, c.calls) << c.owned << " " << c.flags;
  }
  calls.clear();
  muteHostSound(&manager, nullptr);
  muteHostSound(nullptr, &sound);
  EXPECT_EQ(calls, "");
}

std::uint32_t seekSelf = 0;
void THISCALL afterSeek(void* self) { seekSelf = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(self)); }

int destroyed = 0;
void THISCALL mirrorDestructor(void*, std::int32_t flags) { destroyed += flags == 0 ? 1 : 100; }
void* mirrorTable[16] = {reinterpret_cast<void*>(&mirrorDestructor)};

TEST(HostSounds, AfterSeekAndMirrorDestruction) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  host.paintFunction(0x4DD600, &afterSeek);
  hostAfterSeek(0x1234);
  EXPECT_EQ(seekSelf, 0x1234u);

  // The host table 0x737784: slot 1 is kept in the object's new table, slot 0 does nothing.
  void* hostTable[16] = {};
  hostTable[1] = reinterpret_cast<void*>(&afterSeek);
  std::memcpy(host.at(0x737784), hostTable, sizeof hostTable);
  Object mirror{mirrorTable, {}};
  HostSoundMirror::destroy(&mirror);
  EXPECT_EQ(destroyed, 1) << "the object's own destructor, not freeing";
  ASSERT_NE(mirror.table, mirrorTable);
  auto* const* table = static_cast<void* const*>(mirror.table);
  EXPECT_EQ(table[1], hostTable[1]);
  reinterpret_cast<void(THISCALL*)(void*, std::int32_t)>(table[0])(&mirror, 1);
  EXPECT_EQ(destroyed, 1) << "a later release does nothing";
}

}  // namespace
