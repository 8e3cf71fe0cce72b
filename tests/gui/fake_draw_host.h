#pragma once
// Test helper: a stand-in for the host's drawing interface. Its table has the host's slot
// layout; every slot the overlay uses records its call as text, e.g. "4(0,465,640,15)" for
// slot 4 or "2(2,465,Quazirra)" for slot 2.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "plugin/gui/host_draw_interface.h"

namespace kvl::testing {

using kvl::gui::HostDrawInterface;

struct FakeDrawTable {
  void* slot0;
  void* slot1;
  HostDrawInterface::TextFn drawText;
  void* slot3;
  HostDrawInterface::AreaFn drawBox;
  HostDrawInterface::AreaFn beginOverlay;
  HostDrawInterface::AreaFn drawRect;
  HostDrawInterface::ValueFn drawValue;
  void* slot8;
  void* slot9;
  HostDrawInterface::IntFn setTextStyle;
  HostDrawInterface::IntFn setColourIndex;
  HostDrawInterface::ColourFn setColour;
};
static_assert(sizeof(FakeDrawTable) == 13 * sizeof(void*), "pointer-sized entries, slots 0 to 12");

inline std::string number(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

struct FakeDrawHost {
  const FakeDrawTable* table;
  std::vector<std::string> calls;

  FakeDrawHost();
  HostDrawInterface* host() { return reinterpret_cast<HostDrawInterface*>(this); }

  static FakeDrawHost& of(HostDrawInterface* self) { return *reinterpret_cast<FakeDrawHost*>(self); }
  void record(int slot, const std::vector<std::string>& args) {
    std::string call = std::to_string(slot) + "(";
    for (std::size_t i = 0; i < args.size(); ++i) call += (i ? "," : "") + args[i];
    calls.push_back(call + ")");
  }

  static void QZR_THISCALL drawText(HostDrawInterface* self, float x, float y, const char* text) {
    of(self).record(2, {number(x), number(y), text});
  }
  static void QZR_THISCALL drawBox(HostDrawInterface* self, float x, float y, float w, float h) {
    of(self).record(4, {number(x), number(y), number(w), number(h)});
  }
  static void QZR_THISCALL beginOverlay(HostDrawInterface* self, float x, float y, float w, float h) {
    of(self).record(5, {number(x), number(y), number(w), number(h)});
  }
  static void QZR_THISCALL drawRect(HostDrawInterface* self, float x, float y, float w, float h) {
    of(self).record(6, {number(x), number(y), number(w), number(h)});
  }
  static void QZR_THISCALL drawValue(HostDrawInterface* self, float x, float y, std::uint32_t value) {
    of(self).record(7, {number(x), number(y), std::to_string(value)});
  }
  static void QZR_THISCALL setTextStyle(HostDrawInterface* self, std::int32_t style) {
    of(self).record(10, {std::to_string(style)});
  }
  static void QZR_THISCALL setColourIndex(HostDrawInterface* self, std::int32_t index) {
    of(self).record(11, {std::to_string(index)});
  }
  static void QZR_THISCALL setColour(HostDrawInterface* self, float r, float g, float b, float a) {
    of(self).record(12, {number(r), number(g), number(b), number(a)});
  }
};

inline const FakeDrawTable fakeDrawTable = {
    nullptr, nullptr, &FakeDrawHost::drawText, nullptr, &FakeDrawHost::drawBox, &FakeDrawHost::beginOverlay,
    &FakeDrawHost::drawRect, &FakeDrawHost::drawValue, nullptr, nullptr, &FakeDrawHost::setTextStyle,
    &FakeDrawHost::setColourIndex, &FakeDrawHost::setColour};

inline FakeDrawHost::FakeDrawHost() : table(&fakeDrawTable) {}

// One text the host was asked to draw, with the colour and style selected before it.
struct DrawnText {
  std::string x, y, text, colour, style;
};

// The texts of a call record, in drawing order.
inline std::vector<DrawnText> drawnTexts(const std::vector<std::string>& calls) {
  std::vector<DrawnText> texts;
  std::string colour, style;
  for (const auto& call : calls) {
    const auto open = call.find('(');
    const std::string slot = call.substr(0, open);
    const std::string args = call.substr(open + 1, call.size() - open - 2);
    if (slot == "11" || slot == "12") colour = call;
    if (slot == "10") style = args;
    if (slot != "2") continue;
    const auto first = args.find(',');
    const auto second = args.find(',', first + 1);
    texts.push_back({args.substr(0, first), args.substr(first + 1, second - first - 1), args.substr(second + 1),
                     colour, style});
  }
  return texts;
}

}  // namespace kvl::testing
