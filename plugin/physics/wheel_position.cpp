#include "plugin/physics/wheel_position.h"

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/host_object_accessors.h"

namespace kvl::physics {

GroundPosition wheelGroundPosition(const void* wheel) noexcept {
  GroundPosition p;
  if (wheel == nullptr) return p;
  void* body = host::HostWheel::body(wheel);
  if (body == nullptr) return p;
  const void* position = host::HostTransform::position(host::addressAt(body, 752));
  p.x = host::fieldAt<float>(position, 0);
  p.y = host::fieldAt<float>(position, 4);
  return p;
}

}  // namespace kvl::physics
