#pragma once
// Carries a vector into the car body's frame with the host's maths object.
#include "common/telemetry/car_frame_cache.h"

namespace kvl {

Float3 carFrameTransform(const void* car, const Float3& v);

}  // namespace kvl
