#pragma once
// The host's 2D menu drawing object, handed to every page and list draw callback: functions at
// fixed host addresses and virtual slots read from the object's table on each call.
#include <cstdint>
#include <string>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostMenuRenderer {
  static void beginText(void* r, std::int32_t a, std::int32_t b, void* p, std::int32_t c);  // 0x4A8520
  static void fillRect(void* r, float x, float y, float width, float height);              // 0x4A3E20
  static void setColour(void* r, std::int32_t colour);                                     // 0x4A57F0
  static void setFont(void* r, std::int32_t font);                                         // 0x4A4D00
  static void setEnabled(void* r, std::int32_t enabled);            // slot 6
  static void setFlags(void* r, std::uint32_t mask);                // slot 9
  static void clearFlags(void* r, std::uint32_t mask);              // slot 10
  static void drawQuad(void* r, float a, float b, float c, float d);  // slot 15
  static float textWidth(void* r, const char* text);                // slot 34
  static void drawTextId(void* r, std::int32_t id, float x, float y);  // slot 38
  static void drawItem(void* r, std::int32_t a, std::int32_t b, std::uint32_t c);  // slot 43
  static float scaleCoordinate(void* r, float value);               // slot 85
  // Slot 31, a variable-argument member (the renderer as the first stack argument): one wide
  // text through the format "%s" at (x, y).
  static void printText(void* r, float x, float y, const wchar_t* text);
  // Host 0x4A79C0, member call: a list of `rows` rows of two texts (row-major), `first` the first
  // row number, `highlighted` the marked window row, `selection` two words. The order is the one
  // both list pages' calls give value by value; the binding's own short list of the arguments
  // has neither the column positions nor the highlighted row that both calls pass.
  static void drawList(void* r, float x, float y, std::int32_t kind, const float* columns, std::int32_t first,
                       std::int32_t rows, std::int32_t highlighted, const wchar_t* const* texts,
                       const std::int32_t* selection, std::int32_t flag);
};

// A host menu view (the screen quad is one): its layout values converted for the screen.
struct HostMenuView {
  // Slot 83: a layout value converted for the view.
  static float scaleValue(void* view, std::int32_t value);
};

// The text shortened until the renderer measures it no wider than the limit: the last three
// characters become "..." and then one character goes per pass; texts of three characters or
// fewer stay as they are.
std::string fitTextToWidth(void* renderer, const std::string& text, float limit);

}  // namespace kvl::host
