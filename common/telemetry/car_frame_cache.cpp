#include "common/telemetry/car_frame_cache.h"

#include <cmath>
#include <cstring>

namespace kvl {

namespace {

Float3 cross(const Float3& a, const Float3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// The products are exact in double and the sum is kept there.
double dot(const Float3& a, const Float3& b) {
  const double xy = static_cast<double>(a.y) * b.y + static_cast<double>(a.x) * b.x;
  return xy + static_cast<double>(a.z) * b.z;
}

// Squares and their sum in single precision, the root in double, rounded to float.
float length(const Float3& v) {
  float sum = v.x * v.x + v.y * v.y;
  sum = sum + v.z * v.z;
  return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

Float3 readVector(const void* record, uint32_t offset) {
  Float3 v;
  std::memcpy(&v, static_cast<const unsigned char*>(record) + offset, sizeof v);
  return v;
}

constexpr float kHalfPi = 1.5707964f;

}  // namespace

float signedAngle(const Float3& a, const Float3& b, const Float3& axis) {
  const Float3 c = cross(a, b);
  // Taken in double and rounded to float once.
  const float angle = static_cast<float>(std::atan2(static_cast<double>(length(c)), dot(a, b)));
  return dot(axis, c) < 0.0 ? -angle : angle;
}

void CarFrameCache::update(const void* car) {
  if (!car || !transform) return;
  auto T = [&](const Float3& v) { return transform(car, v); };
  linearVelocity = T(readVector(car, car_record::kLinearVelocity));
  angularVelocity = T(readVector(car, car_record::kAngularVelocity));
  linearAcceleration = T(readVector(car, car_record::kLinearAcceleration));
  angularAcceleration = T(readVector(car, car_record::kAngularAcceleration));
  avgLinearAcceleration = T(readVector(car, car_record::kAvgLinearAcceleration));
  avgAngularAcceleration = T(readVector(car, car_record::kAvgAngularAcceleration));
  const Float3 below = T({0, 0, -1});
  const Float3 ahead = T({0, 0, 1});
  roll = signedAngle({1, 0, 0}, below, {0, 1, 0}) - kHalfPi;
  pitch = signedAngle({0, 1, 0}, ahead, {1, 0, 0}) - kHalfPi;
  const Float3 up = T({0, 1, 0});
  yaw = signedAngle(up, {1, 0, 0}, {0, 0, 1});
  valid = 1;
}

}  // namespace kvl
