#pragma once
// The car's velocities and accelerations carried into the car's own frame, with roll, pitch
// and yaw; computed at most once per telemetry sample.
#include <cstdint>

namespace kvl {

struct Float3 {
  float x = 0, y = 0, z = 0;
};

// Carries a vector into the car body's frame (the host's maths object and the body's frame
// matrix do the work in the plugin). A process without host bindings has none.
using CarFrameTransform = Float3 (*)(const void* car, const Float3& v);

// The signed angle from a to b about `axis`: atan2(|a x b|, a . b), negative when
// axis . (a x b) < 0.
float signedAngle(const Float3& a, const Float3& b, const Float3& axis);

struct CarFrameCache {
  uint8_t valid = 0;
  Float3 linearVelocity;
  Float3 angularVelocity;
  Float3 linearAcceleration;
  Float3 angularAcceleration;
  Float3 avgLinearAcceleration;
  Float3 avgAngularAcceleration;
  float roll = 0;
  float pitch = 0;
  float yaw = 0;
  // How vectors reach the car frame; none where the host is not bound (the daemon).
  CarFrameTransform transform = nullptr;

  // Fills the cache from the car record and marks it valid; does nothing without a car or a
  // transform.
  void update(const void* car);
};

// Offsets of the car record's vectors that the cache carries into the car frame.
namespace car_record {
constexpr uint32_t kLinearVelocity = 448;
constexpr uint32_t kAngularVelocity = 400;
constexpr uint32_t kLinearAcceleration = 560;
constexpr uint32_t kAngularAcceleration = 576;
constexpr uint32_t kAvgLinearAcceleration = 592;
constexpr uint32_t kAvgAngularAcceleration = 608;
}  // namespace car_record

}  // namespace kvl
