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
  if (id < 0 || id > 255) return m;  // the host's table has 256 materials
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

extern "C" std::uint32_t QZR_CDECL qzrSuspensionEvent2(void* wheel, const void* record) noexcept {
  try {
    void* body = wheel == nullptr ? nullptr : host::HostWheel::body(wheel);
    void* car = wheel == nullptr ? nullptr : HostCar::wordPointer(wheel, 2036);
    host::HostEventHub* hub = host::HostEventHub::instance();
    if (body == nullptr || car == nullptr || hub == nullptr) return 0;
    GroundPosition p = wheelGroundPosition(wheel);
    const void* hub988 = HostCar::wordPointer(body, 988);
    const float a = hub988 == nullptr ? 0.0f : fieldAt<float>(hub988, 400);
    // b is a parameter object at +864 of the body: table word, two header words, then its value.
    p.x -= a * fieldAt<float>(body, 864 + 12);
    host::SuspensionEvent2 copy;
    std::memcpy(copy.bytes, record, sizeof copy.bytes);
    void* maths = host::hostMath();
    // The car is a body of its own: the points go through the car's frame.
    void* frame = host::HostBody::frame(car);
    for (std::size_t offset : {16u, 32u, 48u}) {
      float t[4] = {};
      host::HostMath::transformPointB(maths, copy.bytes + offset, frame, t);
      t[0] += p.x;
      t[1] += p.y;
      float out[4] = {};
      host::HostMath::transformPointB(car, t, maths, out);
      std::memcpy(copy.bytes + offset, out, 3 * sizeof(float));
    }
    host::dispatchRaise(host::physicsWorker(), hub->suspension2(), copy.bytes, sizeof copy.bytes);
    return 1;
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::physics
