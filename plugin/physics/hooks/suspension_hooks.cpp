#include "plugin/physics/hooks/suspension_hooks.h"

#include <cstring>

#include "plugin/host/events/event_records.h"
#include "plugin/host/events/hook_adapters.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/workers/physics_worker.h"
#include "plugin/physics/host_car.h"
#include "plugin/physics/models/suspension_model.h"
#include "plugin/physics/wheel_position.h"

namespace kvl::physics {

using host::fieldAt;

namespace {

constexpr std::int32_t kSameAsPrimary = 254;

SurfaceProfileMaterial materialOf(void* table, std::int32_t id) {
  SurfaceProfileMaterial m;
  const void* entry = host::hostFindMaterial(SurfaceGripTable::entries(table), id);
  if (entry == nullptr) return m;
  m.baseOffset = fieldAt<float>(entry, 24);
  m.secondOffset = fieldAt<float>(entry, 184);
  m.amplitude = fieldAt<float>(entry, 200);
  m.wavelength = fieldAt<float>(entry, 216);
  return m;
}

}  // namespace

void QZR_STDCALL surfaceProfileHook(void* contact) noexcept {
  try {
    void* table = hostSurfaceGripTable();
    if (table == nullptr || contact == nullptr) return;
    std::int32_t& secondary = fieldAt<std::int32_t>(contact, 60);
    const std::int32_t primary = fieldAt<std::int32_t>(contact, 56);
    if (secondary == kSameAsPrimary) secondary = primary;
    const SurfaceProfile p = surfaceProfileAt(fieldAt<float>(contact, 20), fieldAt<float>(contact, 16),
                                              fieldAt<float>(contact, 52), materialOf(table, primary),
                                              materialOf(table, secondary));
    fieldAt<float>(contact, 84) = p.height;
    fieldAt<float>(contact, 88) = p.secondHeight;
  } catch (...) {
  }
}

extern "C" std::uint32_t QZR_CDECL qzrSuspensionEvent(void* wheel, const void* record) noexcept {
  try {
    host::SuspensionEvent copy;
    std::memcpy(copy.bytes, record, sizeof copy.bytes);
    const GroundPosition p = wheelGroundPosition(wheel);
    fieldAt<float>(copy.bytes, 16) += p.x;
    fieldAt<float>(copy.bytes, 20) += p.y;
    host::HostEventHub* hub = host::HostEventHub::instance();
    if (hub == nullptr) return 0;
    host::dispatchRaise(host::physicsWorker(), hub->suspension(), copy.bytes, sizeof copy.bytes);
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::physics
