#include "plugin/host/model/host_menu_drawing.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::host {

void* HostGraphics::instance() { return hostObject<HostModuleTable::kGraphicsGlobal>(); }

bool HostGraphics::centresMenus(void* graphics) {
  return hostBool(hostFunction<0x4C02A0, std::uint8_t(QZR_THISCALL*)(void*)>()(graphics));
}

void hostMenuDraw(void* drawable, std::int32_t a, std::int32_t b, float x, std::uint32_t c, std::uint32_t d,
                  std::uint32_t e, std::uint32_t f) {
  using Draw = void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t, float, std::uint32_t, std::uint32_t,
                                   std::uint32_t, std::uint32_t);
  hostFunction<0x4C2160, Draw>()(drawable, a, b, x, c, d, e, f);
}

}  // namespace kvl::host
