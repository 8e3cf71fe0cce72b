#include "plugin/host/model/vsync_graphics.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/host_graphics_object.h"

namespace kvl::host {

const void* VSyncGraphicsClone::table() {
  static void* entries[HostGraphicsObject::kTableSlots];
  static const bool filled = (fillTableCopy(entries, HostAddress(HostGraphicsObject::kHostTable).resolve(),
                                            HostGraphicsObject::kTableSlots, kSlot,
                                            reinterpret_cast<void*>(&VSyncGraphicsClone::applyInterval)),
                              true);
  (void)filled;
  return entries;
}

std::int32_t QZR_THISCALL VSyncGraphicsClone::applyInterval(void* object) noexcept {
  try {
    const std::uint32_t interval = presentIntervalFor(VSyncActiveOption(defaults::vSyncActive).read());
    HostGraphicsObject::setWord100(object, static_cast<std::int32_t>(interval));
    HostGraphicsObject::setWord156(object, static_cast<std::int32_t>(interval));
    fieldAt<std::uint32_t>(object, kPresentIntervalOffset) = interval;
  } catch (...) {
  }
  try {
    return HostGraphicsObject::callBaseSlot4(object);
  } catch (...) {
    return 0;
  }
}

void* QZR_THISCALL vSyncConstructHook(void* object) noexcept {
  try {
    HostGraphicsObject::hostConstruct(object);
    setTable(object, VSyncGraphicsClone::table());
  } catch (...) {
  }
  return object;
}

}  // namespace kvl::host
