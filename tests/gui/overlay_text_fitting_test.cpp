// The overlay's sized texts cut by the host game's menu renderer, on a host stand-in: the game
// object (host global 0x7EAC48) holds the renderer at +92, whose slot 34 measures a text (member
// call, the text the one stack argument, the width back as a float).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "plugin/gui/overlay_elements.h"
#include "plugin/gui/overlay_text_fitting.h"
#include "tests/gui/fake_draw_host.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;

namespace {

struct Renderer {
  void* const* table;
};
const Renderer* expectedRenderer = nullptr;
std::vector<std::string> measured;

float QZR_THISCALL textWidth(const Renderer* self, const char* text) {
  measured.push_back(self == expectedRenderer ? text : "another object");
  return 10.0f * static_cast<float>(std::strlen(text));
}
void QZR_THISCALL otherSlot(const Renderer*) { measured.push_back("another slot"); }

}  // namespace

TEST(OverlayTextFitting, SizedTextsAreCutByTheHostMenuRenderer) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  void* table[90];
  for (void*& slot : table) slot = reinterpret_cast<void*>(&otherSlot);
  table[34] = reinterpret_cast<void*>(&textWidth);
  const Renderer renderer{table};
  expectedRenderer = &renderer;
  useHostTextFitting();

  struct Case {
    const char* name;
    bool game, withRenderer, sized;
    float width;
    std::string drawn;
    std::vector<std::string> measured;
  } cases[] = {
      {"cut to 70 units", true, true, true, 70.0f, "ABCD...", {"ABCDEFGHIJ", "ABCDEFG...", "ABCDEF...", "ABCDE...", "ABCD..."}},
      {"fits already", true, true, true, 100.0f, "ABCDEFGHIJ", {"ABCDEFGHIJ"}},
      {"no size: never measured", true, true, false, 0.0f, "ABCDEFGHIJ", {}},
      {"no menu renderer: whole", true, false, true, 10.0f, "ABCDEFGHIJ", {}},
      {"no game object: whole", false, false, true, 10.0f, "ABCDEFGHIJ", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The game object in sentinel bytes; the plugin only reads it.
    std::vector<unsigned char> game(2048, 0xA7);
    const auto word = c.withRenderer ? static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&renderer)) : 0u;
    std::memcpy(&game[92], &word, 4);
    const std::vector<unsigned char> before = game;
    host.setGlobal(0x7EAC48, c.game ? game.data() : nullptr);
    auto text = std::make_shared<TextElement>(OverlayPoint{20, 30}, "ABCDEFGHIJ");
    if (c.sized) text->setSize(OverlaySize{c.width, 15});
    kvl::testing::FakeDrawHost fake;
    measured.clear();
    text->draw(DrawContext{fake.host(), OverlayPoint{0, 0}});
    EXPECT_EQ(fake.calls.back(), "2(20,30," + c.drawn + ")");
    EXPECT_EQ(measured, c.measured);
    EXPECT_EQ(game, before);
  }
  host.setGlobal(0x7EAC48, nullptr);
}
