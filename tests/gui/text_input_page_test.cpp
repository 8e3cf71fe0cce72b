// The text input page on a host stand-in: key records raised through the host's key-input list,
// the field's limit, erasing, masking, and the page's content as drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/gui/overlay_screen.h"
#include "plugin/gui/text_input_page.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/entry/plugin_host_context.h"
#include "tests/gui/fake_draw_host.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;
using kvl::host::HostEventHub;
using kvl::host::HostListenerList;
using Calls = std::vector<std::string>;

namespace {

float QZR_THISCALL textWidth(void*, const char* text) { return 10.0f * static_cast<float>(std::strlen(text)); }

// A page that counts its beeps instead of sounding them.
template <typename Page>
struct Quiet : Page {
  int refusals = 0;
  Quiet() : Page(5) {}
  void refuse() override { ++refusals; }
};

struct TextInputPageTest : ::testing::Test {
  kvl::testing::HostFixture host;
  kvl::testing::FakeDrawHost fake;
  std::vector<unsigned char> hub = std::vector<unsigned char>(96 * 536);
  std::vector<unsigned char> game = std::vector<unsigned char>(2048);
  void* rendererTable[90] = {};
  void* renderer[4] = {rendererTable};

  void SetUp() override {
    ASSERT_TRUE(host.loaded());
    rendererTable[34] = reinterpret_cast<void*>(&textWidth);
    const auto rendererWord = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(renderer));
    std::memcpy(&game[92], &rendererWord, 4);
    host.setGlobal(HostEventHub::kHubGlobal, hub.data());
    host.setGlobal(0x7EAC48, game.data());
    kvl::pluginHostContext().setHost(fake.host());
  }
  void TearDown() override {
    OverlayScreen::instance().submit(DisplayList());
    kvl::pluginHostContext().setHost(nullptr);
  }
  HostListenerList& keyList() { return HostEventHub::instance()->keyInput()->catchAll(); }
  // The host raises a key record to every listener of the list.
  void raise(std::vector<unsigned char>& record) {
    for (auto* node = keyList().head; node != nullptr; node = node->next) node->table->invoke(node, record.data());
  }
  void press(char c) {
    std::vector<unsigned char> record(96);
    record[TextInputPage::kCharacterOffset] = static_cast<unsigned char>(c);
    raise(record);
  }
  Calls frame(OverlayPage& page) {
    fake.calls.clear();
    page.render();
    return fake.calls;
  }
};

}  // namespace

TEST_F(TextInputPageTest, TypedTextIsDrawnInItsField) {
  Quiet<TextInputPage> page;
  EXPECT_EQ(keyList().count, 1);
  page.setPrompt("Name");
  for (char c : std::string("ab c\x1f")) press(c);  // space and control characters are not entered
  EXPECT_EQ(page.text(), "abc");
  EXPECT_EQ(frame(page), (Calls{"5(0,0,0,0)", "11(3)", "4(0,465,640,15)", "11(4)", "10(1)", "2(5,65,Name)", "11(3)",
                                "6(5,110,504,15)", "11(3)", "10(0)", "2(7,110,abc)"}));
  EXPECT_FALSE(page.isDirty());
  page.onKey({0, 0, 0, 0, 0, 0x100});
  EXPECT_FALSE(page.isDirty());
  page.onKey({0, 0, 0, 0, 0, 1});
  EXPECT_TRUE(page.isDirty());
}

TEST_F(TextInputPageTest, FiftyCharactersAtMostAndErasing) {
  Quiet<TextInputPage> page;
  for (int i = 0; i < 50; ++i) press('x');
  EXPECT_EQ(page.refusals, 0);
  press('y');
  EXPECT_EQ(page.refusals, 1);
  EXPECT_EQ(page.text(), std::string(50, 'x'));

  struct Case {
    std::uint32_t eraseA, eraseB;
    std::size_t length;
  } cases[] = {{1, 0, 49}, {0, 7, 48}, {0, 0, 48}};
  for (const Case& c : cases) {
    std::vector<unsigned char> record(96);
    std::memcpy(&record[12], &c.eraseA, 4);
    std::memcpy(&record[16], &c.eraseB, 4);
    record[36] = 9;
    raise(record);
    EXPECT_EQ(page.text().size(), c.length);
    EXPECT_EQ(record[36], c.eraseA || c.eraseB ? 0 : 9);
  }
  EXPECT_EQ(page.refusals, 1);
}

TEST_F(TextInputPageTest, ErasingAnEmptyTextBeepsAndClearsTheRequest) {
  Quiet<TextInputPage> page;
  std::vector<unsigned char> record(96, 0xFF);
  record[TextInputPage::kCharacterOffset] = 0;
  raise(record);
  EXPECT_EQ(page.refusals, 1);
  EXPECT_EQ(page.text(), "");
  const std::uint32_t a = 0xFFFFFFFFu, zero = 0;
  EXPECT_EQ(std::memcmp(&record[12], &a, 4), 0);
  EXPECT_EQ(std::memcmp(&record[16], &zero, 4), 0);
  EXPECT_EQ(std::memcmp(&record[36], &zero, 4), 0);
}

TEST_F(TextInputPageTest, MaskedPageShowsStarsAndLeavesTheListWhenDestroyed) {
  {
    Quiet<MaskedTextInputPage> page;
    for (char c : std::string("pw1")) press(c);
    EXPECT_EQ(page.text(), "pw1");
    const Calls calls = frame(page);
    EXPECT_EQ(calls.back(), "2(7,110,***)");
  }
  EXPECT_EQ(keyList().head, nullptr);
  EXPECT_EQ(keyList().count, 0);
}
