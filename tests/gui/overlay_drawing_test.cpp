#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/gui/overlay_elements.h"
#include "tests/gui/fake_draw_host.h"

using namespace kvl::gui;
using kvl::testing::FakeDrawHost;
using Calls = std::vector<std::string>;

namespace {

std::string shortened(const std::string& text, float width) {
  return text.substr(0, static_cast<std::size_t>(width / 10.0f)) + "...";
}

}  // namespace

TEST(OverlayDrawing, ElementsCallTheHostInOrder) {
  struct Case {
    const char* name;
    std::function<std::shared_ptr<OverlayElement>()> make;
    OverlayPoint origin;
    Calls expected;
  } cases[] = {
      {"an empty text draws nothing, not even its colour",
       [] { return std::make_shared<TextElement>(OverlayPoint{5, 5}, ""); }, {0, 0}, {}},
      {"a text: default colour, style 0, position from the origin",
       [] { return std::make_shared<TextElement>(OverlayPoint{20, 95}, "Patch"); }, {10, 1},
       {"11(3)", "10(0)", "2(30,96,Patch)"}},
      {"a text with its own colour and style",
       [] {
         auto t = std::make_shared<TextElement>(OverlayPoint{20, 20}, "Title");
         t->setColourCommand(std::make_shared<ColourCommand>(1, 0, 0, 1));
         t->setTextStyle(std::make_shared<TextStyleCommand>(1));
         return t;
       },
       {0, 0}, {"12(1,0,0,1)", "10(1)", "2(20,20,Title)"}},
      {"a box", [] { return std::make_shared<BoxElement>(OverlayPoint{1, 2}, OverlaySize{30, 40}); }, {100, 200},
       {"11(3)", "4(101,202,30,40)"}},
      {"a rectangle", [] { return std::make_shared<RectElement>(OverlayPoint{1, 2}, OverlaySize{30, 40}); }, {0, 0},
       {"11(3)", "6(1,2,30,40)"}},
      {"a value", [] { return std::make_shared<ValueElement>(OverlayPoint{7, 8}, 0xDEADBEEFu); }, {1, 1},
       {"11(3)", "7(8,9,3735928559)"}},
      {"a group at (20, 10) draws a child at (5, 5) at (25, 15)",
       [] {
         auto g = std::make_shared<GroupElement>(OverlayPoint{20, 10});
         g->add(std::make_shared<BoxElement>(OverlayPoint{5, 5}, OverlaySize{1, 1}));
         g->add(nullptr);
         return g;
       },
       {0, 0}, {"11(3)", "11(3)", "4(25,15,1,1)"}},
      {"nested group origins add up",
       [] {
         auto outer = std::make_shared<GroupElement>(OverlayPoint{20, 10});
         auto inner = std::make_shared<GroupElement>(OverlayPoint{100, 200});
         inner->add(std::make_shared<RectElement>(OverlayPoint{1, 2}, OverlaySize{3, 4}));
         outer->add(inner);
         outer->add(std::make_shared<RectElement>(OverlayPoint{1, 2}, OverlaySize{3, 4}));
         return outer;
       },
       {5, 5}, {"11(3)", "11(3)", "11(3)", "6(126,217,3,4)", "11(3)", "6(26,17,3,4)"}},
      {"a text bar with an empty text draws only its box",
       [] { return std::make_shared<TextBarElement>(OverlayPoint{0, 465}, "", OverlaySize{640, 15}); }, {0, 0},
       {"11(3)", "4(0,465,640,15)"}},
      {"a text bar: box, then its text in colour 0 two units in",
       [] { return std::make_shared<TextBarElement>(OverlayPoint{0, 465}, "ready", OverlaySize{640, 15}); }, {0, 0},
       {"11(3)", "4(0,465,640,15)", "11(0)", "10(0)", "2(2,465,ready)"}},
      {"a text bar runs no command of its own",
       [] {
         auto bar = std::make_shared<TextBarElement>(OverlayPoint{10, 10}, "x", OverlaySize{5, 5});
         bar->setColourCommand(std::make_shared<ColourIndexCommand>(9));
         bar->setTextStyle(std::make_shared<TextStyleCommand>(9));
         return bar;
       },
       {0, 0}, {"11(3)", "4(10,10,5,5)", "11(0)", "10(0)", "2(12,10,x)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDrawHost fake;
    const auto element = c.make();
    element->draw(DrawContext{fake.host(), c.origin});
    EXPECT_EQ(fake.calls, c.expected);
  }
}

TEST(OverlayDrawing, SizedTextIsShortenedOnlyThroughTheRendererHook) {
  FakeDrawHost fake;
  TextElement sized(OverlayPoint{0, 0}, "Fullscreen Window");
  sized.setSize(OverlaySize{40, 15});
  TextElement unsized(OverlayPoint{0, 0}, "Fullscreen Window");

  // No renderer bound: drawn whole.
  ASSERT_EQ(TextElement::fitToWidth, nullptr);
  sized.draw(DrawContext{fake.host(), {0, 0}});
  EXPECT_EQ(fake.calls.back(), "2(0,0,Fullscreen Window)");

  TextElement::fitToWidth = &shortened;
  sized.draw(DrawContext{fake.host(), {0, 0}});
  EXPECT_EQ(fake.calls.back(), "2(0,0,Full...)");
  unsized.draw(DrawContext{fake.host(), {0, 0}});
  EXPECT_EQ(fake.calls.back(), "2(0,0,Fullscreen Window)") << "a text without a size is never shortened";
  TextElement::fitToWidth = nullptr;
}
