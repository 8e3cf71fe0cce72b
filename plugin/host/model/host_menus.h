#pragma once
// The host's menu pages and items as the plugin talks to them: call-throughs at fixed addresses
// and the virtual slots it calls on host widgets (slot = byte offset / 4, member calls).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_object_bindings.h"
#include "plugin/host/model/host_text.h"

namespace kvl::host {

// Ten layout words that the host's menu setup entries take after the item array.
struct HostMenuLayout {
  HostWord words[10];
};

struct HostMenuPage {
  // Host 0x547CB0, plain call: the y position of a grid row with an extra gap. Float gap and float
  // result, not three ints and an int: its callers, the grid pages' row slot, pass a float gap
  // (30.0 below a damper page's lower header) and add the float it returns to the page's y.
  static float defaultSlotCall(void* renderer, float gap, std::int32_t row);
  // The base part of a plugin object laid out like a host page or item, before its host
  // constructor runs: the table word and the word after it cleared.
  static void* initBase(void* object) noexcept;
  // Host 0x584CE0, member call: delivers an event (code 2 with a CallbackPair registers a callback).
  static int sendEvent(void* page, void* item, std::uint32_t code, const void* data);
  // Event 0x40000007 with a value.
  static int sendValueEvent(void* page, void* item, std::uint32_t value);
  // Host 0x584E60: the second event entry, same arguments.
  static int sendEventB(void* page, void* item, std::uint32_t code, const void* data);
  // Host 0x5855D0, member call: positions an item.
  static void placeItem(void* page, void* item, float x, float y);
  // Host 0x541B80, caller cleans: lays the page out with the items.
  static int setup(void* page, const HostText& title, std::int32_t count, void* const* items,
                   const HostMenuLayout& layout);
  // Host constructor 0x5850B0 with four integers, then the copy of host table 0x7473E8.
  static void* construct(void* page, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);
  // In-place destruction onto the page class's inert table copy.
  static void adoptSharedVtable(void* page) noexcept;
  // Slot 23 of a page or item: binds an input action.
  static void bindAction(void* page, std::int32_t action, std::int32_t target, std::int32_t code, const void* data);
  // Host 0x540930, caller cleans: the page's place among its parent's pages.
  static void setParentIndex(void* page, std::int32_t index, std::int32_t value);
};

// Host 0x541D60, caller cleans: the second setup entry (the options page), with its result.
int hostMenuSetupB(void* page, const HostText& title, std::int32_t count, void* const* items,
                   const HostMenuLayout& layout);

// Host 0x585440, member call on a menu object of the language menu.
void hostMenuSelect(void* menu, std::int32_t a, std::int32_t b, std::int32_t c);

// The laid-out entries of a host page: count at +20, array at +12.
struct HostMenuList {
  // Entry i, or null when i is not below the count.
  static void* item(const void* page, std::int32_t i) noexcept;
  // The item block of a host list menu: its fifth word.
  static void* items(const void* list) noexcept;
};

// The action item (24 bytes): a label and a callback.
struct HostMenuItem {
  static constexpr std::size_t kSize = 24;
  // Host constructor 0x5BEF10 (label by value, callback), then the copy of host table 0x74BB7C.
  static void* construct(void* item, const HostText& label, HostWord callback);
  // Slot 4.
  static void setEnabled(void* item, bool enabled);
  // Slot 22: the object that holds the entry's label record at +8.
  static void* attachedDialog(void* item);
  static HostText* label(void* item);
  // Slots of the value rows a setup page holds.
  static void setFocused(void* item, bool focused);             // slot 6
  static void setFocusTarget(void* item, HostWord target);      // slot 8
  static void onDecrease(void* item);                           // slot 13
  static void onIncrease(void* item);                           // slot 14
  // Floats where the slot table says integer and offset: an int and a float are one stack word
  // alike, and the pages that call these pass floats (coordinates, the grid's broadcast value).
  static void drawAt(void* item, void* renderer, float x, float y);  // slot 15
  static void passToChildren(void* item, float value);          // slot 16
};

}  // namespace kvl::host
