#include "plugin/telemetry/car_frame_transform.h"

#include "plugin/host/model/host_object_accessors.h"

namespace kvl {

Float3 carFrameTransform(const void* car, const Float3& v) {
  void* maths = host::hostMath();
  if (maths == nullptr || car == nullptr) return {};
  void* frame = host::HostBody::frame(const_cast<void*>(car));
  if (frame == nullptr) return {};
  const float input[4] = {v.x, v.y, v.z, 0.0f};
  float output[4] = {};
  host::HostMath::transformPoint(maths, input, frame, output);
  return Float3{output[0], output[1], output[2]};
}

}  // namespace kvl
