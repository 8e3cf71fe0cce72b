#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/gui/overlay_elements.h"
#include "plugin/gui/overlay_page.h"
#include "plugin/gui/overlay_screen.h"
#include "plugin/host/entry/plugin_host_context.h"
#include "tests/gui/fake_draw_host.h"

using namespace kvl::gui;
using kvl::pluginHostContext;
using kvl::testing::FakeDrawHost;
using Calls = std::vector<std::string>;

namespace {

// A page that counts its builds and shows one text, and records the keys it is given.
struct CountingPage : OverlayPage {
  int builds = 0;
  std::string content = "first";
  std::vector<std::uint32_t> input;
  CountingPage() : OverlayPage(7) {}
  void build(DisplayList& list) override {
    ++builds;
    list.push(std::make_shared<TextElement>(OverlayPoint{20, 20}, content));
  }
  void onInput(std::uint8_t key, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e,
               std::uint32_t f) override {
    input = {key, b, c, d, e, f};
  }
};

struct OverlayPageTest : ::testing::Test {
  FakeDrawHost fake;
  void SetUp() override {
    pluginHostContext().setHost(fake.host());
    OverlayScreen::instance().submit(DisplayList());
  }
  void TearDown() override {
    OverlayScreen::instance().submit(DisplayList());
    pluginHostContext().setHost(nullptr);
  }
  Calls frame(OverlayPage& page) {
    fake.calls.clear();
    page.render();
    return fake.calls;
  }
};

}  // namespace

TEST_F(OverlayPageTest, BasePageShowsTheEmptyBar) {
  OverlayPage page(3);
  EXPECT_EQ(page.id(), 3);
  EXPECT_TRUE(page.isDirty());
  EXPECT_EQ(frame(page), (Calls{"5(0,0,0,0)", "11(3)", "4(0,465,640,15)"}));
  EXPECT_FALSE(page.isDirty());
  // The base page ignores input and stays clean.
  page.onKey({'T', 0, 0, 0, 0, 0});
  EXPECT_FALSE(page.isDirty());
}

TEST_F(OverlayPageTest, RetainedContentIsRebuiltOnlyWhenDirty) {
  CountingPage page;
  const Calls first = {"5(0,0,0,0)", "11(3)", "10(0)", "2(20,20,first)"};
  EXPECT_EQ(frame(page), first);
  EXPECT_EQ(page.builds, 1);
  // A second frame without setDirty draws the same elements without building.
  page.content = "second";
  EXPECT_EQ(frame(page), first);
  EXPECT_EQ(page.builds, 1);
  // Marked dirty: the new content shows in the next frame, built once.
  page.setDirty(true);
  const Calls second = {"5(0,0,0,0)", "11(3)", "10(0)", "2(20,20,second)"};
  EXPECT_EQ(frame(page), second);
  EXPECT_EQ(frame(page), second);
  EXPECT_EQ(page.builds, 2);
}

TEST_F(OverlayPageTest, EmptyRetainedListOnlyOpensTheOverlay) {
  OverlayScreen::instance().drawAll(OverlayRect{});
  EXPECT_EQ(fake.calls, (Calls{"5(0,0,0,0)"}));
  fake.calls.clear();
  OverlayScreen::instance().drawAll(OverlayRect{{1, 2}, {3, 4}});
  EXPECT_EQ(fake.calls, (Calls{"5(1,2,3,4)"}));
}

TEST_F(OverlayPageTest, ScreenKeepsTheElementsOfTheLastSubmit) {
  {
    DisplayList list;
    list.push(std::make_shared<BoxElement>(OverlayPoint{1, 1}, OverlaySize{2, 2}));
    list.push(nullptr);
    list.push(std::make_shared<RectElement>(OverlayPoint{3, 3}, OverlaySize{4, 4}));
    OverlayScreen::instance().submit(list);
  }
  // The page's list is gone; the screen still holds and draws the elements, in order.
  OverlayScreen::instance().drawAll(OverlayRect{});
  EXPECT_EQ(fake.calls, (Calls{"5(0,0,0,0)", "11(3)", "4(1,1,2,2)", "11(3)", "6(3,3,4,4)"}));
  // A later submit replaces everything.
  DisplayList other;
  other.push(std::make_shared<ValueElement>(OverlayPoint{0, 0}, 5));
  OverlayScreen::instance().submit(other);
  fake.calls.clear();
  OverlayScreen::instance().drawAll(OverlayRect{});
  EXPECT_EQ(fake.calls, (Calls{"5(0,0,0,0)", "11(3)", "7(0,0,5)"}));
}

TEST_F(OverlayPageTest, NoHostDrawsNothing) {
  pluginHostContext().setHost(nullptr);
  CountingPage page;
  page.render();
  EXPECT_EQ(page.builds, 1);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(OverlayPageTest, HostInputPassesTheKeyByte) {
  CountingPage page;
  kvl::FrontEndPage& frontEnd = page;
  frontEnd.onKey({0x12345674u, 1, 2, 3, 4, 5});
  EXPECT_EQ(page.input, (std::vector<std::uint32_t>{0x74, 1, 2, 3, 4, 5}));
}
