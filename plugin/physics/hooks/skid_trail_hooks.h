#pragma once
// The host's skid trail ring operations, taken over at their three call sites: each a member
// call on the ring with the host's arguments, stack arguments removed by the callee.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/physics/models/skid_trail_ring.h"

namespace kvl::physics {

QZR_HOST_LAYOUT_ASSERT(sizeof(TrailPoint) == 64, "host trail point");
QZR_HOST_LAYOUT_ASSERT(sizeof(SkidTrailRing) == 16392, "host skid trail ring");
QZR_HOST_LAYOUT_ASSERT(offsetof(SkidTrailRing, head) == 16384, "head slot pointer");

// Site 0x5E344D: adds a point (four stack arguments).
void QZR_THISCALL skidTrailAddPoint(SkidTrailRing* ring, const TrailVector* first, const TrailVector* second,
                                    const std::uint8_t* attributes, std::int32_t value) noexcept;
// Site 0x5E2FCD: ends the trail; returns the newest point's previous end flag.
std::int32_t QZR_THISCALL skidTrailEnd(SkidTrailRing* ring) noexcept;
// Site 0x5E33D5: moves the newest point (two stack arguments).
void QZR_THISCALL skidTrailMoveLast(SkidTrailRing* ring, const TrailVector* first, const TrailVector* second) noexcept;

}  // namespace kvl::physics
