#include "plugin/host/model/setup_slot_dialogs.h"

#include <string>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_item_actions.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_rally_tables.h"

namespace kvl::host {
namespace {

constexpr std::int32_t kLoadMenu = 108;
constexpr std::int32_t kSaveMenu = 109;

void* pointer(HostWord word) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(word)); }
HostWord word(const void* p) { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

struct SlotDialog {
  void* item = nullptr;
  void* dialog = nullptr;
};

// Item 0 of a menu and the dialog attached to it; nulls where the host has none.
SlotDialog slotDialogOf(void* menu) {
  SlotDialog d;
  if (menu == nullptr) return d;
  d.item = HostMenuList::item(menu, 0);
  if (d.item != nullptr) d.dialog = HostMenuItem::attachedDialog(d.item);
  return d;
}

std::int32_t QZR_CDECL ignoreAction(void*) noexcept { return 0; }

void* openSlotMenu(std::int32_t menuId, bool save) {
  void* menu = HostMenuManager::openMenu(menuId);
  const SlotDialog d = slotDialogOf(menu);
  if (d.dialog == nullptr) return menu;
  if (save) {
    HostSetupSlotDialog::firstLabel(d.dialog).setKey("SAVE");
    HostSetupSlotDialog::saveSlotLabel(d.dialog).setKey("SAVESLOT");
  } else {
    HostSetupSlotDialog::saveSlotLabel(d.dialog).setKey("S_PREDEF");
  }
  HostSetupSlotDialog::kind(d.dialog) = save ? 1 : 2;
  HostItemActions* actions = HostItemActions::of(d.item);
  const HostWord confirm = save ? hookAddress(&saveSlotConfirm) : hookAddress(&loadSlotConfirm);
  HostItemActions::bind(actions, 4, word(d.item), 1, confirm);
  HostItemActions::bind(actions, 11, word(d.item), 1, hookAddress(&ignoreAction));
  return menu;
}

std::int32_t openById(std::int32_t page) {
  void* manager = HostMenuManager::instance();
  if (manager == nullptr) return 0;
  using Fn = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
  return tableEntry<Fn>(manager, 1 * kTableEntrySize)(manager, page, 0);
}

void* setupFiles() { return pointer(hostGlobal<0x7C1184, HostWord>()); }

}  // namespace

void* HostSetupStore::instance() { return pointer(hostGlobal<0x7C28CC, HostWord>()); }

std::int32_t HostSetupStore::loadDefaultSetup(void* store, std::int32_t car, std::int32_t stageKey) {
  using Fn = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, std::int32_t);
  return hostFunction<0x48E440, Fn>()(store, car, stageKey, 0);
}

std::int32_t HostSetupStore::prepareSetup(void* store, std::int32_t car, std::int32_t stageKey) {
  return hostFunction<0x48DE30, std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t)>()(store, car, stageKey);
}

std::int32_t HostSetupStore::activateSetup(void* store, std::int32_t car) {
  return hostFunction<0x48DF00, std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>()(store, car);
}

std::int32_t HostSetupStore::loadSetupFile(void* store, char* path) {
  return hostFunction<0x48DB30, std::int32_t(QZR_THISCALL*)(void*, char*)>()(store, path);
}

bool HostSetupStore::loadSavedSetup(void* store, const char* name) {
  std::string path = std::string("SavedGames/") + name;
  return loadSetupFile(store, path.data()) == 1;
}

void* HostSetupSlotDialog::constructHost(void* d, std::int32_t value) {
  return buildHosted<0x57DF40, 0x74702C, 14>(d, value);
}

std::int32_t HostSetupSlotDialog::callOriginalHandler(void* d, std::int32_t a, std::int32_t b) {
  using Fn = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
  return reinterpret_cast<Fn const*>(hostTableCopy<0x74702C, 14>())[1](d, a, b);
}

void* HostPageItem::construct(void* item, void* page) {
  HostMenuPage::initBase(item);
  return buildHosted<0x5BBDD0, 0x74B344, 25>(item, page);
}

std::int32_t refreshHostSetupView() { return hostFunction<0x558720, std::int32_t(QZR_CDECL*)()>()(); }
std::int32_t readHostSetupWord() { return hostGlobal<0x7CF398, std::int32_t>(); }
std::int32_t hostSaveSetup() { return hostFunction<0x558780, std::int32_t(QZR_CDECL*)()>()(); }

std::int32_t setupPageForSurface(std::int32_t surface) noexcept {
  switch (surface) {
    case 0: return 87;
    case 1: return 86;
    case 2: return 88;
    default: return 0;
  }
}

void* QZR_CDECL saveSlotMenuHook(std::int32_t menuId) noexcept {
  try {
    return openSlotMenu(menuId, true);
  } catch (...) {
    return nullptr;
  }
}

void* QZR_CDECL loadSlotMenuHook(std::int32_t menuId) noexcept {
  try {
    return openSlotMenu(menuId, false);
  } catch (...) {
    return nullptr;
  }
}

std::int32_t QZR_CDECL saveSlotConfirm(void*) noexcept {
  try {
    const SlotDialog d = slotDialogOf(HostMenuManager::menu(kSaveMenu));
    if (d.dialog == nullptr) return 0;
    if (const std::int32_t status = HostSetupSlotDialog::status(d.dialog)) return status;
    HostListWidget::setSelectionNoResult(HostControls::menuCursor(hostControls()),
                                         HostSetupSlotDialog::selectedSlot(d.dialog));
    return hostSaveSetup();
  } catch (...) {
    return 0;
  }
}

std::int32_t QZR_CDECL loadSlotConfirm(void*) noexcept {
  try {
    const SlotDialog d = slotDialogOf(HostMenuManager::menu(kLoadMenu));
    if (d.dialog == nullptr) return 0;
    const std::int32_t slot = HostSetupSlotDialog::selectedSlot(d.dialog);
    const std::int32_t car = fieldAt<std::int32_t>(hostControls(), 16);
    void* table = hostStageTable();
    void* entry = table == nullptr ? nullptr : HostStageTable::selectedEntry(table);
    const std::int32_t key = entry == nullptr ? 0 : HostStageEntry::key(entry);
    void* stages = pointer(hostGlobal<0x7EA678, HostWord>());
    const std::int32_t surface =
        stages == nullptr ? -1 : hostFunction<0x4A1330, std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>()(stages, key);
    if (const std::int32_t status = HostSetupSlotDialog::status(d.dialog)) return status;
    if (slot == 0) {
      void* store = HostSetupStore::instance();
      if (store == nullptr || HostSetupStore::loadDefaultSetup(store, car, key) == 0) return 0;
    } else if (slot >= 2) {
      using Empty = std::uint8_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
      const std::uint8_t empty = hostFunction<0x49EA40, Empty>()(setupFiles(), car, slot - 2);
      if (empty != 0) return empty;
      void* slots = pointer(hostGlobal<0x7D1E94, HostWord>());
      using Select = std::int32_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
      if (hostFunction<0x57FC70, Select>()(slots, slot - 2, car) == 0) return 0;
    }
    const std::int32_t page = setupPageForSurface(surface);
    return page == 0 ? 1 : openById(page);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::host
