// Entering a page through the menu manager.
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_game_modes.h"
#include "plugin/host/model/host_menus.h"

namespace kvl::host {

std::int32_t HostMenuManager::enterPage(void* manager, void* page) {
  return tableEntry<std::int32_t(QZR_THISCALL*)(void*, void*)>(manager, 4 * 4)(manager, page);
}

}  // namespace kvl::host
