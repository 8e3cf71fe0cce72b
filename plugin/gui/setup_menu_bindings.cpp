#include "plugin/gui/setup_menu_bindings.h"

#include <cstdint>

#include "plugin/foundation/texts/localized_strings.h"
#include "plugin/gui/differential_labels.h"
#include "plugin/gui/setup_value_table.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/model/callback_pair.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_text.h"
#include "plugin/physics/car_setup.h"

namespace kvl::gui {
namespace {

using host::HostWord;

constexpr std::uint32_t kCarSetupRangesGlobal = 0x7ECD04u;
constexpr std::size_t kFeaturesValue = 3640;  // the value word of the Features parameter
constexpr std::size_t kPageItems = 20;        // item pointers of a setup page
constexpr std::size_t kItemLabelHolder = 36;  // the object holding an item's label record at +8

HostWord wordOf(const void* p) { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }
void* pointerAt(const void* object, std::size_t offset) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(host::fieldAt<HostWord>(object, offset)));
}

// The dialog attached to a menu's first item, or null.
void* firstItemDialog(void* menu) {
  void* first = host::HostMenuList::item(menu, 0);
  return first == nullptr ? nullptr : host::HostMenuItem::attachedDialog(first);
}

host::HostText* rowLabel(void* page, int row) {
  void* item = pointerAt(page, kPageItems + 4 * static_cast<std::size_t>(row));
  if (item == nullptr) return nullptr;
  void* holder = pointerAt(item, kItemLabelHolder);
  return holder == nullptr ? nullptr : static_cast<host::HostText*>(host::addressAt(holder, 8));
}

}  // namespace

void SetupValueTable::bindPageItems(void* page) noexcept {
  if (page == nullptr) return;
  const auto mode = host::fieldAt<std::int32_t>(page, 196);
  if (!hasMode(mode) || entry(0, 0, 0) == nullptr) return;
  for (int group = 0; group < kGroups; ++group) {
    for (int row = 0; row < kRows; ++row) {
      void* item = pointerAt(page, kPageItems + 4 * static_cast<std::size_t>(group * kRows + row));
      if (item == nullptr) continue;
      auto* minimum = reinterpret_cast<unsigned char*>(entry(mode, group, row));
      host::fieldAt<HostWord>(item, 20) = wordOf(minimum);
      host::fieldAt<HostWord>(item, 24) = wordOf(minimum + 16);
      host::fieldAt<HostWord>(item, 28) = wordOf(minimum + 32);
    }
  }
}

void bindDiffMapMenus() {
  static host::CallbackPair shown[4];
  for (int i = 0; i < 4; ++i) {
    void* menu = host::HostMenuManager::menu(95 + i);
    if (menu == nullptr) continue;
    if (void* dialog = firstItemDialog(menu)) SetupValueTable::bindPageItems(dialog);
    shown[i].setFunction(host::hookAddress(&onDiffMapPageShown));
    shown[i].setContext(wordOf(menu));
    host::HostMenuPage::sendEvent(menu, nullptr, 2, &shown[i]);
  }
}

void bindDifferentialsMenu() {
  static host::CallbackPair shown;
  void* menu = host::HostMenuManager::menu(93);
  if (menu == nullptr) return;
  void* dialog = firstItemDialog(menu);
  if (dialog == nullptr) return;
  shown.setFunction(host::hookAddress(&onDifferentialsPageShown));
  shown.setContext(wordOf(dialog));
  host::HostMenuPage::sendEvent(menu, nullptr, 2, &shown);
}

void QZR_CDECL onDiffMapPageShown(void*) noexcept {
  const void* ranges = pointerAt(host::HostAddress(kCarSetupRangesGlobal).resolve(), 0);
  if (ranges != nullptr) physics::DrivetrainRanges::buildMenuValues(static_cast<const unsigned char*>(ranges) + physics::DrivetrainRanges::kOffset);
}

void QZR_CDECL onDifferentialsPageShown(void* page) noexcept {
  try {
    if (page == nullptr) return;
    const void* ranges = pointerAt(host::HostAddress(kCarSetupRangesGlobal).resolve(), 0);
    const std::int32_t features = ranges == nullptr ? 0 : host::fieldAt<std::int32_t>(ranges, kFeaturesValue);
    const auto keys = differentialTorqueKeys(features);
    for (int row = 0; row < 3; ++row) {
      if (host::HostText* label = rowLabel(page, row)) label->setKey(keys[static_cast<std::size_t>(row)]);
    }
    for (int row = 0; row < 5; ++row) {
      if (host::HostText* label = rowLabel(page, row)) LocalizedStrings::instance().text(*label);
    }
  } catch (...) {
  }
}

}  // namespace kvl::gui
