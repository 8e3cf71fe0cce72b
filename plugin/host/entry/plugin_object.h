#pragma once
// The object the host holds for the plugin: its nine-slot plugin interface. Host-visible, so a
// standard-layout struct whose first word is the table pointer.
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/entry/front_end_page.h"

namespace kvl {

struct PluginObject;

struct PluginInterfaceTable {
  void*(QZR_THISCALL* destroy)(PluginObject*, std::uint32_t flags) noexcept;
  const char*(QZR_THISCALL* name)(PluginObject*) noexcept;
  void(QZR_THISCALL* draw)(PluginObject*) noexcept;
  void(QZR_THISCALL* noOperationA)(PluginObject*) noexcept;
  void(QZR_THISCALL* input)(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                            std::uint32_t, std::uint32_t) noexcept;
  void(QZR_THISCALL* noOperationB)(PluginObject*, std::uint32_t) noexcept;
  void(QZR_THISCALL* noOperationC)(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t) noexcept;
  void(QZR_THISCALL* noOperationD)(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t,
                                   std::uint32_t) noexcept;
  void(QZR_THISCALL* noOperationE)(PluginObject*, std::uint32_t, std::uint32_t, std::uint32_t) noexcept;
};
static_assert(sizeof(PluginInterfaceTable) == 9 * sizeof(void*), "nine slots");

struct PluginObject {
  const PluginInterfaceTable* table;
  FrontEndPage* statusPage;

  // Stores the host pointer, writes missing main settings, starts the controller and the page.
  explicit PluginObject(void* host);
  // Destroys the page and resets the table pointer.
  ~PluginObject();
  PluginObject(const PluginObject&) = delete;
  PluginObject& operator=(const PluginObject&) = delete;

  // The table the host calls.
  static const PluginInterfaceTable& interfaceTable() noexcept;
  // Makes the page the front end forwards to, which the object then owns; none until the overlay
  // code provides one.
  static FrontEndPage* (*createStatusPage)();
};
QZR_HOST_LAYOUT_ASSERT(sizeof(PluginObject) == 8, "plugin object: table and page pointer");

}  // namespace kvl
