#include "plugin/host/model/language_callbacks.h"

#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/callback_pair.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_localization.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_object_accessors.h"

namespace kvl::host {
namespace {

void* cursor() { return HostControls::menuCursor(hostControls()); }

}  // namespace

void QZR_CDECL languagePreselect(void* menu) noexcept {
  try {
    if (menu != nullptr) hostMenuSelect(menu, HostGame::language() + 4, 0, 1);
  } catch (...) {
  }
}

void QZR_CDECL languageFollow(void*) noexcept {
  try {
    void* c = cursor();
    const std::int32_t entry = HostLanguageRecord::first(c);
    if (entry == HostGame::language()) return;
    HostLanguageRecord::setSelection(c, 1);
    hostLanguageCall(1);
    HostGame::setLanguage(entry);
  } catch (...) {
  }
}

std::int32_t QZR_CDECL languageApply() noexcept {
  try {
    void* c = cursor();
    if (HostLanguageRecord::selection(c) == 0) return 0;
    const std::int32_t entry = HostLanguageRecord::first(c);
    if (entry == HostGame::language()) return entry;
    HostGame::setLanguage(entry);
    return HostLocalization::setLanguage(entry);
  } catch (...) {
    return 0;
  }
}

void registerLanguageCallbacks(void* menu0, void* menu1) {
  static CallbackPair preselect;
  static CallbackPair follow;
  if (menu1 != nullptr) {
    const auto context = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(menu1));
    preselect.setFunction(hookAddress(&languagePreselect));
    preselect.setContext(context);
    follow.setFunction(hookAddress(&languageFollow));
    follow.setContext(context);
    HostMenuPage::sendEvent(menu1, nullptr, 2, &preselect);
    HostMenuPage::sendEventB(menu1, nullptr, 2, &follow);
  }
  if (menu0 != nullptr) {
    HostMenuPage::sendEvent(menu0, nullptr, 1, reinterpret_cast<const void*>(hookAddress(&languageApply)));
  }
}

}  // namespace kvl::host
