#pragma once
// A double-precision 3D vector for interpolation work on host data, and its conversions from and
// to the host's three-float vectors.
namespace kvl {

struct Vector3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vector3d operator+(const Vector3d& o) const noexcept { return {x + o.x, y + o.y, z + o.z}; }
  Vector3d operator-(const Vector3d& o) const noexcept { return {x - o.x, y - o.y, z - o.z}; }
  double dot(const Vector3d& o) const noexcept { return x * o.x + y * o.y + z * o.z; }
};

inline Vector3d scaleVector3d(double s, const Vector3d& v) noexcept { return {s * v.x, s * v.y, s * v.z}; }

// a + t (b - a)
inline Vector3d lerp(const Vector3d& a, const Vector3d& b, double t) noexcept {
  return a + scaleVector3d(t, b - a);
}

inline Vector3d fromHostVector(const float* v) noexcept { return {v[0], v[1], v[2]}; }

inline void toHostVector(const Vector3d& v, float* out) noexcept {
  out[0] = static_cast<float>(v.x);
  out[1] = static_cast<float>(v.y);
  out[2] = static_cast<float>(v.z);
}

}  // namespace kvl
