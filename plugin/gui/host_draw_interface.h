#pragma once
// The host's drawing interface: the object whose pointer the host passes to KVL_CreatePlugin.
// Its first word points at the host's table; the overlay calls eight of its slots, each a
// member call (thiscall on the host) with float coordinates passed as floats. The plugin
// never creates one; it only calls through the table the host filled.
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "plugin/host/binding/abi.h"

namespace kvl::gui {

struct HostDrawInterface {
  const void* table;

  // Slot numbers, counted from slot 0 of the table.
  static constexpr int kDrawTextSlot = 2;
  static constexpr int kDrawBoxSlot = 4;
  static constexpr int kBeginOverlaySlot = 5;
  static constexpr int kDrawRectSlot = 6;
  static constexpr int kDrawValueSlot = 7;
  static constexpr int kSetTextStyleSlot = 10;
  static constexpr int kSetColourIndexSlot = 11;
  static constexpr int kSetColourSlot = 12;

  // The slots' types.
  using TextFn = void(QZR_THISCALL*)(HostDrawInterface*, float x, float y, const char* text);
  using AreaFn = void(QZR_THISCALL*)(HostDrawInterface*, float x, float y, float width, float height);
  using ValueFn = void(QZR_THISCALL*)(HostDrawInterface*, float x, float y, std::uint32_t value);
  using IntFn = void(QZR_THISCALL*)(HostDrawInterface*, std::int32_t value);
  using ColourFn = void(QZR_THISCALL*)(HostDrawInterface*, float r, float g, float b, float a);

  void drawText(float x, float y, const char* text);                     // slot 2
  void drawBox(float x, float y, float width, float height);             // slot 4
  void beginOverlay(float x, float y, float width, float height);        // slot 5
  void drawRect(float x, float y, float width, float height);            // slot 6
  void drawValue(float x, float y, std::uint32_t value);                 // slot 7
  void setTextStyle(std::int32_t style);                                 // slot 10
  void setColourIndex(std::int32_t index);                               // slot 11
  void setColour(float r, float g, float b, float a);                    // slot 12
};
static_assert(std::is_standard_layout_v<HostDrawInterface>, "a host object: plain layout");
static_assert(offsetof(HostDrawInterface, table) == 0, "the table pointer is the first word");
QZR_HOST_LAYOUT_ASSERT(sizeof(HostDrawInterface) == 4, "only the table word is known");

}  // namespace kvl::gui
