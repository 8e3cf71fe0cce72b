#include "plugin/physics/hooks/skid_trail_hooks.h"

namespace kvl::physics {

void QZR_THISCALL skidTrailAddPoint(SkidTrailRing* ring, const TrailVector* first, const TrailVector* second,
                                    const std::uint8_t* attributes, std::int32_t value) noexcept {
  if (ring == nullptr || first == nullptr || second == nullptr || attributes == nullptr) return;
  ring->addPoint(*first, *second, attributes, value);
}

std::int32_t QZR_THISCALL skidTrailEnd(SkidTrailRing* ring) noexcept { return ring == nullptr ? 0 : ring->endTrail(); }

void QZR_THISCALL skidTrailMoveLast(SkidTrailRing* ring, const TrailVector* first, const TrailVector* second) noexcept {
  if (ring == nullptr || first == nullptr || second == nullptr) return;
  ring->moveLast(*first, *second);
}

}  // namespace kvl::physics
