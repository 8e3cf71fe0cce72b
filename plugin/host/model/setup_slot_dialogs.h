#pragma once
// The host's setup store and its setup-slot dialog: the plugin labels the dialog for saving or
// loading, binds its own confirm actions, and on loading opens the setup page of the stage's
// surface.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_text.h"

namespace kvl::host {

struct HostSetupStore {
  static void* instance();  // host global 0x7C28CC
  static std::int32_t loadDefaultSetup(void* store, std::int32_t car, std::int32_t stageKey);  // 0x48E440
  static std::int32_t prepareSetup(void* store, std::int32_t car, std::int32_t stageKey);      // 0x48DE30
  static std::int32_t activateSetup(void* store, std::int32_t car);                            // 0x48DF00
  static std::int32_t loadSetupFile(void* store, char* path);                                  // 0x48DB30
  // "SavedGames/" + name through loadSetupFile; true only when the host returns 1.
  static bool loadSavedSetup(void* store, const char* name);
};

struct HostSetupSlotDialog {
  static std::int32_t& kind(void* d) noexcept { return fieldAt<std::int32_t>(d, 8); }
  static HostText& saveSlotLabel(void* d) noexcept { return fieldAt<HostText>(d, 12); }
  static std::int32_t selectedSlot(const void* d) noexcept { return fieldAt<std::int32_t>(d, 24); }
  static void setSelectedSlot(void* d, std::int32_t slot) noexcept { fieldAt<std::int32_t>(d, 24) = slot; }
  static void setSlotCount(void* d, std::int32_t count) noexcept { fieldAt<std::int32_t>(d, 28) = count; }
  static std::int32_t status(const void* d) noexcept { return fieldAt<std::int32_t>(d, 32); }
  static HostText& firstLabel(void* d) noexcept { return fieldAt<HostText>(d, 36); }
  static HostText& secondLabel(void* d) noexcept { return fieldAt<HostText>(d, 48); }
  static HostText& thirdLabel(void* d) noexcept { return fieldAt<HostText>(d, 60); }
  static void* listWidget(const void* d) noexcept {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(d, 72)));
  }
  // Host constructor 0x57DF40, then the copy of host table 0x74702C.
  static void* constructHost(void* d, std::int32_t value);
  // Slot 1 of the copied table: the host's own input handling.
  static std::int32_t callOriginalHandler(void* d, std::int32_t a, std::int32_t b);
};

// A host menu item bound to a plugin page object: host constructor 0x5BBDD0, then the copy of
// host table 0x74B344.
struct HostPageItem {
  static void* construct(void* item, void* page);
};

std::int32_t refreshHostSetupView();  // host 0x558720
std::int32_t readHostSetupWord();     // host global 0x7CF398
std::int32_t hostSaveSetup();         // host 0x558780

// The name text 392 bytes into a host list entry.
inline const char* hostItemName(const void* entry) noexcept {
  return static_cast<const char*>(entry) + 392;
}

// Replace the host's calls that open the save (0x5610E9) and load (0x5610D5) slot dialogs by
// menu id: open the menu, label its dialog and bind the confirm actions to its item 0. A menu
// without item 0 or dialog is returned as the host opened it.
void* QZR_CDECL saveSlotMenuHook(std::int32_t menuId) noexcept;
void* QZR_CDECL loadSlotMenuHook(std::int32_t menuId) noexcept;

// The confirm actions (the item as their object). A dialog that is missing or not ready is not
// acted on: its status (0 without a dialog) is the result.
std::int32_t QZR_CDECL saveSlotConfirm(void* item) noexcept;
std::int32_t QZR_CDECL loadSlotConfirm(void* item) noexcept;

// The setup page of a surface: 87, 86, 88 for surfaces 0, 1, 2; 0 for any other.
std::int32_t setupPageForSurface(std::int32_t surface) noexcept;

}  // namespace kvl::host
