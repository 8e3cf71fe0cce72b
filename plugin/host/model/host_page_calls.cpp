// The page calls the rally event's service page adds to the host's menus: its place among the
// parent's pages and entering it through the menu manager.
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_menus.h"

namespace kvl::host {

void HostMenuPage::setParentIndex(void* page, std::int32_t index, std::int32_t b) {
  hostFunction<0x540930, void(QZR_CDECL*)(void*, std::int32_t, std::int32_t)>()(page, index, b);
}

std::int32_t HostMenuManager::enterPage(void* manager, void* page) {
  return tableEntry<std::int32_t(QZR_THISCALL*)(void*, void*)>(manager, 4 * 4)(manager, page);
}

}  // namespace kvl::host
