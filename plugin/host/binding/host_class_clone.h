#pragma once
// Plugin copies of host class tables, made once per class on first use and kept for the life of
// the process, and the in-place destruction of host-class objects the plugin built.
//
// An object built on the plugin's memory runs the host constructor, then points its first word at
// a copy of the host table. It is destroyed in place: slot 0 of its current table (the host's
// deleting destructor) runs with the flag 0, which frees nothing, and the object is then pointed
// at the class's inert copy, whose slot 0 does nothing. A later destruction, by the plugin or by
// the host, therefore never runs the host destructor a second time. The owner frees the memory
// through the allocator it came from.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::host {

// Slot 0 of an inert table: takes the flag word and does nothing.
void* QZR_THISCALL keepObject(void* self, std::uint32_t flags) noexcept;

// Copies `slots` entries of hostTable into entries; when replacedSlot is 0 or more, that slot
// then holds replacement.
void fillTableCopy(void** entries, const void* hostTable, std::size_t slots, std::ptrdiff_t replacedSlot,
                   void* replacement) noexcept;

// Runs slot 0 of the object's current table with the flag 0, then points the object at inertTable.
void destroyInPlace(void* object, const void* inertTable) noexcept;

// Stores a table address as the object's first word.
inline void setTable(void* object, const void* table) noexcept {
  *static_cast<const void**>(object) = table;
}

// The unchanged copy of the host table at HostTable (a host virtual address), Slots entries.
template <std::uint32_t HostTable, std::size_t Slots>
const void* hostTableCopy() {
  static void* entries[Slots];
  static const bool filled = (fillTableCopy(entries, HostAddress(HostTable).resolve(), Slots, -1, nullptr), true);
  (void)filled;
  return entries;
}

// The copy of the same host table with one slot replaced (a plugin subclass's table), filled on
// the first call; later calls return it unchanged.
template <std::uint32_t HostTable, std::size_t Slots, std::size_t Slot>
const void* replacedTableCopy(void* replacement) {
  static void* entries[Slots];
  static const bool filled =
      (fillTableCopy(entries, HostAddress(HostTable).resolve(), Slots, Slot, replacement), true);
  (void)filled;
  return entries;
}

// The copy of the same host table whose slot 0 does nothing (the destruction copy).
template <std::uint32_t HostTable, std::size_t Slots>
const void* inertTableCopy() {
  static void* entries[Slots];
  static const bool filled = (fillTableCopy(entries, HostAddress(HostTable).resolve(), Slots, 0,
                                            reinterpret_cast<void*>(&keepObject)),
                              true);
  (void)filled;
  return entries;
}

}  // namespace kvl::host

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

// Runs the host constructor at Ctor (member call) on the object with the arguments, then points
// the object at the unchanged copy of its host table.
template <std::uint32_t Ctor, std::uint32_t HostTable, std::size_t Slots, typename... Args>
void* buildHosted(void* object, Args... args) {
  hostFunction<Ctor, void*(QZR_THISCALL*)(void*, Args...)>()(object, args...);
  setTable(object, hostTableCopy<HostTable, Slots>());
  return object;
}

}  // namespace kvl::host
