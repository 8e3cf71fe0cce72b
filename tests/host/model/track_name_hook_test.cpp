// The map's track file variant on the host stand-in: the set-map step runs once, with the variant
// extension only while a variant file exists, and the extension is back afterwards also when the
// step throws to the host (i686).
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "plugin/host/binding/host_string.h"
#include "plugin/host/model/host_stage_load.h"
#include "plugin/tracks/alternative_file_hook.h"
#include "plugin/tracks/track_name_hook.h"
#include "tests/support/host_frame_handler.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/host_fixture.h"
#include "tests/support/host_strings.h"

namespace {

#define THISCALL __attribute__((thiscall))

using kvl::testing::fillHostString;
using kvl::testing::hostStringText;

// The track ini names map 7's track "trk"; the host joins with a backslash.
std::uint8_t* THISCALL trackIniString(void*, std::uint8_t* out, const std::uint8_t* section, const std::uint8_t* key,
                                      const std::uint8_t*) {
  fillHostString(out, hostStringText(section) == "Map07" && hostStringText(key) == "TrackName" ? "trk" : "");
  return out;
}
std::uint8_t* __cdecl joinPath(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b) {
  fillHostString(out, hostStringText(a) + "\\" + hostStringText(b));
  return out;
}
std::string setMapCalls;
bool setMapThrows = false;
void THISCALL setMap(std::uint8_t* record, std::int32_t map) {
  setMapCalls += std::to_string(map) + ":" + hostStringText(record + 48) + ";";
  if (setMapThrows) RaiseException(0xE06D7363u, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

struct HookCall {
  std::uint8_t* record;
  std::int32_t map;
};

std::string openedName;
std::int32_t THISCALL openFile(void*, const char* name) {
  openedName = name;
  return 5;
}

}  // namespace

TEST(TrackNameHook, VariantExtensionOnlyWhileTheVariantExists) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  host.paintFunction(0x411420, &trackIniString);
  host.paintFunction(0x4665F0, &joinPath);
  host.paintFunction(0x466F10, &setMap);
  kvl::testing::ScratchFolder scratch;
  CreateDirectoryA("trk", nullptr);
  std::ofstream("trk\\lbx").put('x');

  alignas(8) std::uint8_t record[80] = {};
  std::uint8_t trackIni[64] = {};
  const auto iniWord = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(trackIni));
  std::memcpy(record + 44, &iniWord, 4);
  struct Case {
    std::int32_t map;
    const char* calls;  // what the set-map step saw
    bool throws;        // the set-map step throws to the host, which catches it further out
  } cases[] = {{7, "7:lbx;", false}, {3, "3:lbs;", false}, {7, "7:lbx;", true}, {3, "3:lbs;", true}};
  for (const auto& c : cases) {
    fillHostString(record + 48, "lbs");
    setMapCalls.clear();
    setMapThrows = c.throws;
    HookCall call{record, c.map};
    const std::uint32_t caught = kvl::testing::runUnderHostHandler(
        [](void* p) {
          const auto* h = static_cast<const HookCall*>(p);
          kvl::tracks::trackNameHook(h->record, h->map);
        },
        &call, 0xE06D7363u);
    EXPECT_EQ(caught, c.throws ? 0xE06D7363u : 0u) << c.map;
    EXPECT_EQ(setMapCalls, c.calls) << c.map << c.throws;
    EXPECT_EQ(hostStringText(record + 48), "lbs") << c.map << c.throws;
  }
  setMapThrows = false;
}

// The host's routine gets the "x" variant of a file name only while that file exists and the
// option "XXX" is not set.
TEST(AlternativeFileHook, VariantNameOnlyWhenItExistsAndTheOptionIsOff) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  host.paintFunction(0x4FFC60, &openFile);
  kvl::testing::ScratchFolder scratch;
  std::ofstream("trk.lbx").put('x');
  struct Case {
    const char* ini;
    const char* name;
    const char* opened;
  } cases[] = {{"", "trk.lbs", "trk.lbx"}, {"", "other.lbs", "other.lbs"}, {"", "", ""},
               {"[QZR]\nXXX=true\n", "trk.lbs", "trk.lbs"}};
  for (const auto& c : cases) {
    // Only the last case writes the settings file: before it there is none.
    if (*c.ini != '\0') std::ofstream("Korvala.ini") << c.ini;
    openedName = "(none)";
    EXPECT_EQ(kvl::tracks::alternativeFileHook(nullptr, c.name), 5) << c.name;
    EXPECT_EQ(openedName, c.opened) << c.name << c.ini;
  }
}
