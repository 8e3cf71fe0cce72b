#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/gui/overlay_screen.h"
#include "plugin/gui/status_page.h"
#include "plugin/hooks/patch_group.h"
#include "plugin/host/entry/plugin_host_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/gui/fake_draw_host.h"

using namespace kvl;
using namespace kvl::gui;
using kvl::host::MemoryPatch;
using kvl::testing::DrawnText;
using kvl::testing::FakeDrawHost;

namespace {

const char* const kGreen = "12(0,1,0,1)";
const char* const kRed = "12(1,0,0,1)";
const char* const kDefault = "11(3)";
const char* const kSoundActive = "Active (using FMOD Studio by Firelight Technologies Pty Ltd)";

// What the page's sources report: the groups and the sound client's state; collections are
// counted, one per build.
PatchGroupList shownGroups;
bool soundActive = false;
int collections = 0;
void collect(PatchGroupList& out) {
  ++collections;
  out.insert(out.end(), shownGroups.begin(), shownGroups.end());
}
bool isSoundActive() { return soundActive; }
const StatusPage::Sources kSources{&collect, &isSoundActive};

// Host memory the groups patch.
struct Page {
  unsigned char* base =
      static_cast<unsigned char*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ~Page() { VirtualFree(base, 0, MEM_RELEASE); }
};
const unsigned char kBytes[] = {0xE8, 1, 2, 3};

struct StatusPageTest : ::testing::Test {
  kvl::testing::ScratchFolder scratch;
  FakeDrawHost fake;
  void SetUp() override {
    shownGroups.clear();
    soundActive = false;
    collections = 0;
    pluginHostContext().setHost(fake.host());
    OverlayScreen::instance().submit(DisplayList());
  }
  void TearDown() override {
    OverlayScreen::instance().submit(DisplayList());
    pluginHostContext().setHost(nullptr);
    shownGroups.clear();
  }
  std::vector<DrawnText> frame(StatusPage& page) {
    fake.calls.clear();
    page.render();
    return kvl::testing::drawnTexts(fake.calls);
  }
  void setEnableFmod(const char* value) {
    kvl::testing::makeFolder("AudioFMOD");
    kvl::testing::writeWholeFile("AudioFMOD\\AudioFMOD.ini", std::string("[Settings]\r\nenableFMOD=") + value + "\r\n");
  }
};

// The value shown at the right of the row whose name is given.
const DrawnText* valueOf(const std::vector<DrawnText>& texts, const std::string& name) {
  for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
    if (texts[i].text == name && texts[i].x == "20" && texts[i + 1].x == "220" && texts[i + 1].y == texts[i].y) {
      return &texts[i + 1];
    }
  }
  return nullptr;
}

}  // namespace

TEST_F(StatusPageTest, PatchGroupRows) {
  Page memory;
  struct Case {
    const char* name;
    int patches;
    bool apply;
    bool spoil;  // the first patch no longer reads back
    const char* text;
    const char* status;
    const char* colour;
  } cases[] = {
      {"Sound", 2, true, false, "", "Applied", kGreen},
      {"Head Gasket", 0, false, false, "Disabled (Durability <= 1).", "Disabled (Durability <= 1).", kDefault},
      {"Center Menu", 1, true, false, "Disabled", "Disabled", kDefault},
      {"Load Data", 0, false, false, "", "Missing", kDefault},
      {"Game Stuff", 1, true, true, "", "Failed", kRed},
      {"V-Sync", 1, false, false, "", "Failed", kRed},
      {"Quazirra", 1, true, false, "Applied", "Applied", kDefault},
  };
  int site = 0;
  for (const auto& c : cases) {
    auto group = std::make_shared<PatchGroup>(c.name, 0);
    for (int i = 0; i < c.patches; ++i) group->add(std::make_shared<MemoryPatch>(memory.base + 16 * site++, kBytes, 4));
    if (*c.text) group->setText(c.text);
    if (c.apply) group->applyAll();
    if (c.spoil) memory.base[16 * (site - 1)] = 0;
    shownGroups.push_back(group);
  }

  StatusPage page(kSources);
  const auto texts = frame(page);
  float y = 125;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DrawnText* value = valueOf(texts, c.name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->y, kvl::testing::number(y));
    EXPECT_EQ(value->text, c.status);
    EXPECT_EQ(value->colour, c.colour);
    y += 15;
  }
}

TEST_F(StatusPageTest, LayoutWithAnyNumberOfGroups) {
  for (int n : {0, 1, 3, 30}) {
    SCOPED_TRACE(n);
    shownGroups.clear();
    for (int i = 0; i < n; ++i) shownGroups.push_back(std::make_shared<PatchGroup>("Group " + std::to_string(i), 0));
    StatusPage page(kSources);
    const auto texts = frame(page);

    // The whole page opens the overlay, then the group selects its colour before any text.
    ASSERT_GE(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[0], "5(0,0,0,0)");
    EXPECT_EQ(fake.calls[1], "11(3)");

    ASSERT_EQ(texts.size(), 3u + 2u * (n + 5) + 1u);
    EXPECT_EQ(texts[0].text, "Quazirra");
    EXPECT_EQ(texts[0].x + "," + texts[0].y, "20,20");
    EXPECT_EQ(texts[0].colour, "11(4)");
    EXPECT_EQ(texts[0].style, "1");
    EXPECT_EQ(texts[1].text + "@" + texts[1].x + "," + texts[1].y, "Patch@20,95");
    EXPECT_EQ(texts[2].text + "@" + texts[2].x + "," + texts[2].y, "Status@220,95");
    for (int i = 0; i < n; ++i) EXPECT_EQ(texts[3 + 2 * i].y, kvl::testing::number(125.0f + 15.0f * i));

    const struct {
      const char* name;
      const char* value;
    } rows[] = {{"FMOD Sound System", "Disabled"},
                {"Patch Revision", "52"},
                {"Physics Revision", "778"},
                {"Telemetry Recording ('T' toggles)", "Off"},
                {"UDP Telemetry ('U' toggles)", "Off"}};
    float y = 125.0f + 15.0f * n;
    for (const auto& row : rows) {
      const DrawnText* value = valueOf(texts, row.name);
      ASSERT_NE(value, nullptr) << row.name;
      EXPECT_EQ(value->text, row.value);
      EXPECT_EQ(value->y, kvl::testing::number(y)) << row.name;
      EXPECT_EQ(value->colour, kDefault) << row.name;
      EXPECT_EQ(value->style, "0") << row.name;
      y += 15.0f;
    }
    // The version line comes last, outside the group, at 445 whatever the rows above.
    EXPECT_EQ(texts.back().text, "KVL QZR Plugin by Tessaly V 7.4.778.507 (2024-09-15)");
    EXPECT_EQ(texts.back().x + "," + texts.back().y, "20,445");
    EXPECT_EQ(texts.back().colour, kDefault);
  }
}

TEST_F(StatusPageTest, SoundSystemRow) {
  struct Case {
    const char* name;
    bool active;
    const char* enableFmod;  // null: no AudioFMOD.ini
    const char* status;
    const char* colour;
  } cases[] = {
      {"no settings file", false, nullptr, "Disabled", kDefault},
      {"switched off", false, "0", "Disabled", kDefault},
      {"switched on, never started", false, "1", "Inactive", kRed},
      {"switched on as text", false, "True", "Inactive", kRed},
      {"started", true, "1", kSoundActive, kGreen},
      {"started, since switched off", true, "0", kSoundActive, kGreen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.enableFmod != nullptr) {
      setEnableFmod(c.enableFmod);
    } else {
      DeleteFileA("AudioFMOD\\AudioFMOD.ini");
    }
    soundActive = c.active;
    StatusPage page(kSources);
    const auto texts = frame(page);
    const DrawnText* value = valueOf(texts, "FMOD Sound System");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text, c.status);
    EXPECT_EQ(value->colour, c.colour);
  }
}

TEST_F(StatusPageTest, KeysToggleTheTelemetrySwitches) {
  kvl::testing::writeWholeFile("Korvala.ini", "[QZR]\r\nudpTelemetry=1\r\n");
  StatusPage page(kSources);
  EXPECT_FALSE(page.telemetryRecording());
  EXPECT_TRUE(page.udpTelemetry());
  frame(page);
  ASSERT_EQ(collections, 1);

  const auto recording = [] { return TelemetryRecordingOption(true).read(); };
  const auto udp = [] { return UdpTelemetryOption(false).read(); };
  FrontEndPage& frontEnd = page;
  struct Step {
    std::uint32_t key;
    bool rebuilds;
    bool recording, udp;
    const char* recordingShown;
    const char* udpShown;
  } steps[] = {
      {'t', true, true, true, "On", "On"},
      {'x', false, true, true, "On", "On"},
      {'t', true, false, true, "Off", "On"},
      {'U', true, false, false, "Off", "Off"},
      {0x100u | 'T', true, true, false, "On", "Off"},  // only the low byte is the key
      {'u', true, true, true, "On", "On"},
      {'\0', false, true, true, "On", "On"},
  };
  int builds = 1;
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string("key ") + std::to_string(s.key));
    frontEnd.onKey({s.key, 0, 0, 0, 0, 0});
    EXPECT_EQ(page.isDirty(), s.rebuilds);
    EXPECT_EQ(recording(), s.recording);
    EXPECT_EQ(udp(), s.udp);
    const auto texts = frame(page);
    builds += s.rebuilds ? 1 : 0;
    EXPECT_EQ(collections, builds);
    EXPECT_FALSE(page.isDirty());
    EXPECT_EQ(valueOf(texts, "Telemetry Recording ('T' toggles)")->text, s.recordingShown);
    EXPECT_EQ(valueOf(texts, "UDP Telemetry ('U' toggles)")->text, s.udpShown);
  }
  // The switches are written as 1 and 0 in the plugin's section.
  const std::string ini = kvl::testing::readWholeFile("Korvala.ini");
  EXPECT_NE(ini.find("telemetryRecording=1"), std::string::npos) << ini;
  EXPECT_NE(ini.find("udpTelemetry=1"), std::string::npos) << ini;
}

TEST_F(StatusPageTest, RowsFollowTheGroupsOnlyAtARebuild) {
  shownGroups.push_back(std::make_shared<PatchGroup>("Sound", 0));
  StatusPage page(kSources);
  frame(page);
  // Groups added later (the first game-state event) show only after the next rebuild.
  shownGroups.push_back(std::make_shared<PatchGroup>("Aspect Ratio", 0));
  EXPECT_EQ(valueOf(frame(page), "Aspect Ratio"), nullptr);
  page.onKey({'t', 0, 0, 0, 0, 0});
  const auto texts = frame(page);
  ASSERT_NE(valueOf(texts, "Aspect Ratio"), nullptr);
  EXPECT_EQ(valueOf(texts, "Aspect Ratio")->y, "140");
}
