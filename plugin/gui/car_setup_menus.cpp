#include <cstring>

#include "plugin/foundation/texts/localized_strings.h"
#include "plugin/gui/car_setup_fields.h"
#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_page_rows.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/model/callback_pair.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_setup_rows.h"
#include "plugin/host/model/setup_slot_dialogs.h"

namespace kvl::gui {
namespace {

using host::HostMenuPage;
constexpr std::uint32_t kMenuSize = 212;
constexpr std::uint32_t kPageItemSize = 20;
constexpr std::uint32_t kOptionItemSize = 28;
constexpr std::uint32_t kOneAsFloat = 0x3F800000u;

host::HostWord word(const void* p) { return static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

void destroyPage(void* page) {
  if (page != nullptr) gridSlot<void*(QZR_THISCALL*)(void*, std::uint32_t)>(page, kGridDestroy)(page, 1);
}

// A 212-byte host menu holding one grid page of the kind. A page that lacks a row it offers, or
// that the host had no memory for, is not handed on: the menu stays empty.
void* buildGridMenu(const GridPageKind& kind, std::int32_t parentIndex, bool callbackWithItem) {
  void* menu = host::hostNew(kMenuSize);
  if (menu == nullptr) return nullptr;
  HostMenuPage::construct(menu, 1, 0, 0, -1);
  void* page = constructGridPage(host::hostNew(static_cast<std::uint32_t>(kind.shape.size())), kind);
  if (page != nullptr && !gridPageComplete(page, kind)) {
    destroyPage(page);
    page = nullptr;
  }
  void* item = page != nullptr ? host::hostNew(kPageItemSize) : nullptr;
  if (item == nullptr) {
    destroyPage(page);
    return menu;
  }
  host::HostPageItem::construct(item, page);
  HostMenuPage::sendEvent(menu, item, kEventBrowse, nullptr);
  HostMenuPage::sendValueEvent(menu, item, kOneAsFloat);
  HostMenuPage::sendEvent(menu, callbackWithItem ? item : nullptr, 2, &GridPage::callbacks(page, kind.shape));
  HostMenuPage::setParentIndex(menu, parentIndex, 0);
  const std::int32_t target = static_cast<std::int32_t>(word(item));
  const std::uint32_t actions[5][2] = {
      {2, kEventUp}, {3, kEventDown}, {4, kEventToggleEdit}, {0, kEventLeft}, {1, kEventRight}};
  for (const auto& a : actions) {
    HostMenuPage::bindAction(item, static_cast<std::int32_t>(a[0]), target, static_cast<std::int32_t>(a[1]), nullptr);
  }
  HostMenuPage::placeItem(menu, item, 52.0f, 117.0f);
  return menu;
}

// A menu kept for the process once it was built whole.
template <typename Build>
void* keptMenu(void*& kept, Build build) {
  if (kept == nullptr) kept = build();
  return kept;
}

std::int32_t show(void* menu) {
  void* manager = host::HostMenuManager::instance();
  if (manager == nullptr || menu == nullptr) return 0;
  return host::HostMenuManager::showPage(manager, menu, 0);
}

// The bump-stop settings menu: the "BumpStops" entry and the progressive switch.
struct BumpStopSettings {
  void* menu = nullptr;
  void* choices = nullptr;
  host::CallbackPair shown;
  host::CallbackPair changed;
};
BumpStopSettings gSettings;

std::int32_t* setupFlagWord() { return static_cast<std::int32_t*>(setupValue(setup_fields::kSetupFlagWord)); }

void QZR_CDECL onBumpStopSettingsShown(void* menu) noexcept;
void QZR_CDECL onBumpStopSettingsChanged(void* menu) noexcept;

void* buildBumpStopSettings() {
  void* blocks[4] = {host::hostNew(host::HostProgressiveSwitchItem::kSize), host::hostNew(host::HostMenuItem::kSize),
                     host::hostNew(kOptionItemSize), host::hostNew(kMenuSize)};
  for (void* b : blocks) {
    if (b != nullptr) continue;
    // Not a half-built menu: without every part there is none.
    for (void* f : blocks) {
      if (f != nullptr) host::hostDelete(f);
    }
    return nullptr;
  }
  void* choices = host::HostProgressiveSwitchItem::construct(blocks[0], host::HostText("ProgressiveBumpStops"),
                                                             host::HostText("ON"), host::HostText("OFF"), 206.0f);
  void* grid = host::HostMenuItem::construct(blocks[1], host::HostText("BumpStops"), host::hookAddress(&showBumpStopGrid));
  std::memset(blocks[2], 0, kOptionItemSize);
  void* option = host::HostOptionItem::construct(blocks[2], choices, &host::bumpStopMenuState(), 1);
  void* menu = HostMenuPage::construct(blocks[3], 7, 0, 0, -1);
  gSettings.choices = choices;
  gSettings.shown = {static_cast<host::HostWord>(host::hookAddress(&onBumpStopSettingsShown)), word(menu)};
  gSettings.changed = {static_cast<host::HostWord>(host::hookAddress(&onBumpStopSettingsChanged)), word(menu)};
  HostMenuPage::sendEvent(menu, nullptr, 2, &gSettings.shown);
  HostMenuPage::sendEventB(menu, nullptr, 2, &gSettings.changed);
  void* items[2] = {grid, option};
  const auto f = [](float v) {
    host::HostWord w;
    std::memcpy(&w, &v, sizeof w);
    return w;
  };
  const host::HostMenuLayout layout{{1241, f(73.0f), f(49.0f), f(0.0f), f(266.0f), 1, 8, 0, 0, 0}};
  HostMenuPage::setup(menu, host::HostText("BumpStopSettings"), 2, items, layout);
  return menu;
}

void localizeAt(void* object, std::size_t offset) {
  if (object != nullptr) LocalizedStrings::instance().text(host::fieldAt<host::HostText>(object, offset));
}

void* dialogOf(void* menu, std::int32_t entry) {
  void* item = host::HostMenuList::item(menu, entry);
  return item == nullptr ? nullptr : host::HostMenuItem::attachedDialog(item);
}

void QZR_CDECL onBumpStopSettingsShown(void* menu) noexcept {
  try {
    if (menu == nullptr) return;
    localizeAt(dialogOf(menu, 2), 4);
    localizeAt(dialogOf(menu, 4), 8);
    const auto* features = static_cast<const std::int32_t*>(setupRange(setup_fields::kFeatures));
    const bool allowed = features != nullptr && (*features & (1 << 17)) != 0;
    if (const std::int32_t* flags = setupFlagWord()) host::bumpStopMenuState().progressive = *flags & 1;
    if (void* entry = host::HostMenuList::item(menu, 5)) {
      // The switch's label and its two choices.
      for (std::size_t offset : {8u, 20u, 32u}) localizeAt(gSettings.choices, offset);
      host::HostMenuItem::setEnabled(entry, allowed);
    }
  } catch (...) {
  }
}

void QZR_CDECL onBumpStopSettingsChanged(void*) noexcept {
  try {
    std::int32_t* flags = setupFlagWord();
    if (flags == nullptr) return;
    const std::int32_t next = host::bumpStopMenuState().progressive != 0 ? (*flags | 1) : (*flags & ~1);
    if (next != *flags) host::HostMenuCursor::setLimit(host::HostControls::menuCursor(host::hostControls()), 1);
    *flags = next;
  } catch (...) {
  }
}

void* gBumpStopGrid = nullptr;
void* gEnhancedDampers = nullptr;
void* gDampersRebound = nullptr;

}  // namespace

void* createBumpStopPage() { return keptMenu(gSettings.menu, buildBumpStopSettings); }
void* createBumpStopGridMenu() {
  return keptMenu(gBumpStopGrid, [] { return buildGridMenu(bumpStopPageKind(), 8, false); });
}
void* createEnhancedDampersPage() {
  return keptMenu(gEnhancedDampers, [] { return buildGridMenu(enhancedDampersPageKind(), 11, true); });
}
void* createDampersReboundPage() {
  return keptMenu(gDampersRebound, [] { return buildGridMenu(dampersReboundPageKind(), 8, true); });
}
void* createDifferentialsPage() { return buildGridMenu(differentialsPageKind(), 8, true); }

#define QZR_SHOW(name, create)           \
  std::int32_t QZR_CDECL name() noexcept { \
    try {                                 \
      return show(create());              \
    } catch (...) {                       \
      return 0;                           \
    }                                     \
  }
QZR_SHOW(showBumpStopSettings, createBumpStopPage)
QZR_SHOW(showBumpStopGrid, createBumpStopGridMenu)
QZR_SHOW(showEnhancedDampers, createEnhancedDampersPage)
QZR_SHOW(showDampersRebound, createDampersReboundPage)
QZR_SHOW(showDifferentials, createDifferentialsPage)
#undef QZR_SHOW

void* QZR_CDECL differentialsPageHook() noexcept {
  try {
    return createDifferentialsPage();
  } catch (...) {
    return nullptr;
  }
}

}  // namespace kvl::gui
