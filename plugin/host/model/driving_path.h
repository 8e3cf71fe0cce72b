#pragma once
// The host's driving path for the loaded stage (host object behind global 0x1659184): up to
// 10000 points along the road, each with a position, a direction vector and a distance along the
// road. A view over the object's bytes; the interpolation is done in double precision.
#include <cstddef>
#include <cstdint>

#include "plugin/foundation/maths/vector3d.h"

namespace kvl::host {

class HostDrivingPath {
 public:
  static constexpr std::uint32_t kGlobal = 0x1659184u;
  static constexpr std::size_t kPointsOffset = 16;
  static constexpr std::size_t kPointSize = 48;
  static constexpr std::size_t kDirectionOffset = 16;  // within a point
  static constexpr std::size_t kDistanceOffset = 32;   // within a point
  static constexpr std::int32_t kMaxPoints = 10000;
  static constexpr std::size_t kCountOffset = kPointsOffset + kMaxPoints * kPointSize;  // 480016
  static constexpr std::size_t kObjectSize = kCountOffset + 4;

  explicit HostDrivingPath(const void* object) noexcept : bytes_(static_cast<const unsigned char*>(object)) {}

  // The point count the host stored, held to 0..10000.
  std::int32_t count() const noexcept;
  Vector3d position(std::int32_t i) const noexcept;
  Vector3d direction(std::int32_t i) const noexcept;
  float distance(std::int32_t i) const noexcept;

  // Hermite position on segment k at t; the zero vector outside segments 0 .. n - 2.
  Vector3d positionAt(std::int32_t k, double t) const noexcept;
  // positionAt with k the whole part of f and t its fraction; a negative or NaN f counts as 0.
  Vector3d positionAtIndex(double f) const noexcept;
  // The direction vectors of points k and k + 1 interpolated at t; zero outside the segments.
  Vector3d directionAt(std::int32_t k, double t) const noexcept;
  // The fractional index of the path position nearest to p, searched around the hint.
  double nearestIndex(const Vector3d& p, double hint) const noexcept;
  // The fractional index at which the stored distances reach d; 0 when none does.
  float distanceToIndex(float d) const noexcept;

 private:
  float floatAt(std::size_t offset) const noexcept;
  const unsigned char* point(std::int32_t i) const noexcept { return bytes_ + kPointsOffset + kPointSize * i; }

  const unsigned char* bytes_;
};

}  // namespace kvl::host
