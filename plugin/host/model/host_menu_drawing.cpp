#include "plugin/host/model/host_menu_drawing.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::host {

void* HostGraphics::instance() { return hostObject<HostModuleTable::kGraphicsGlobal>(); }

bool HostGraphics::centresMenus(void* graphics) {
  return hostBool(hostFunction<0x4C02A0, std::uint8_t(QZR_THISCALL*)(void*)>()(graphics));
}

}  // namespace kvl::host
