#pragma once
#include <cmath>
#include <istream>
#include <ostream>
#include <type_traits>

namespace kvl {

// The working 3D vector: x, y, z and a fourth component that every constructor and every
// operation that builds a new vector keeps at 0, so the vector can be copied as one 16-byte block.
class Vector3 {
 public:
  Vector3() = default;
  Vector3(float x, float y, float z) noexcept : x_(x), y_(y), z_(z), w_(0.0f) {}

  Vector3& set(float x, float y, float z) noexcept {
    x_ = x;
    y_ = y;
    z_ = z;
    w_ = 0.0f;
    return *this;
  }
  Vector3& clearXyz() noexcept {
    x_ = y_ = z_ = 0.0f;
    return *this;
  }

  float x() const noexcept { return x_; }
  float y() const noexcept { return y_; }
  float z() const noexcept { return z_; }
  float w() const noexcept { return w_; }
  Vector3& setX(float v) noexcept {
    x_ = v;
    return *this;
  }
  Vector3& setY(float v) noexcept {
    y_ = v;
    return *this;
  }
  Vector3& setZ(float v) noexcept {
    z_ = v;
    return *this;
  }

  Vector3 operator-(const Vector3& o) const noexcept { return Vector3(x_ - o.x_, y_ - o.y_, z_ - o.z_); }
  Vector3& operator+=(const Vector3& o) noexcept {
    x_ += o.x_;
    y_ += o.y_;
    z_ += o.z_;
    return *this;
  }

  // The products are exact in double; the sum is kept in double for the caller to round.
  double dot(const Vector3& o) const noexcept {
    const double xy = static_cast<double>(y_) * o.y_ + static_cast<double>(x_) * o.x_;
    return xy + static_cast<double>(z_) * o.z_;
  }

  Vector3& cross(const Vector3& o, Vector3& out) const noexcept {
    return out.set(y_ * o.z_ - o.y_ * z_, o.x_ * z_ - x_ * o.z_, o.y_ * x_ - o.x_ * y_);
  }

  // Squares and their sum in single precision, the root in double, rounded to float.
  float length() const noexcept {
    float sum = x_ * x_ + y_ * y_;
    sum = sum + z_ * z_;
    return static_cast<float>(std::sqrt(static_cast<double>(sum)));
  }

  // The smaller of the length and limit. The host also calls this in place of a routine of its own
  // (a member call with one float, the result in ST(0) as every float result in this build).
  float cappedLength(float limit) const noexcept {
    const float len = length();
    return len > limit ? limit : len;
  }

  // Leaves vectors of length 2^-52 or less (the zero vector included) unchanged.
  Vector3& normalize() noexcept {
    const double len = length();
    if (len > 2.220446049250313e-16) {
      x_ = static_cast<float>(x_ / len);
      y_ = static_cast<float>(y_ / len);
      z_ = static_cast<float>(z_ / len);
    }
    return *this;
  }

  // The angle to other in [0, pi], negative when axis points against this x other.
  float signedAngle(const Vector3& other, const Vector3& axis) const noexcept {
    Vector3 n;
    cross(other, n);
    const double s = n.length();
    const double d = dot(other);
    const float angle = static_cast<float>(std::atan2(s, d));
    return axis.dot(n) < 0.0 ? -angle : angle;
  }

 private:
  float x_ = 0.0f;
  float y_ = 0.0f;
  float z_ = 0.0f;
  float w_ = 0.0f;
};

// "x y z" with the stream's current float formatting, no line end.
inline std::ostream& operator<<(std::ostream& os, const Vector3& v) {
  return os << v.x() << ' ' << v.y() << ' ' << v.z();
}

// Three floats into x, y, z; the stream's state reports a failure.
inline std::istream& operator>>(std::istream& is, Vector3& v) {
  float x = 0.0f, y = 0.0f, z = 0.0f;
  is >> x >> y >> z;
  if (is) v.set(x, y, z);
  return is;
}

// The three-float vector layout inside host records.
class PackedVector3 {
 public:
  PackedVector3() = default;
  float x() const noexcept { return x_; }
  float y() const noexcept { return y_; }
  float z() const noexcept { return z_; }
  PackedVector3& setX(float v) noexcept {
    x_ = v;
    return *this;
  }
  PackedVector3& setY(float v) noexcept {
    y_ = v;
    return *this;
  }
  PackedVector3& setZ(float v) noexcept {
    z_ = v;
    return *this;
  }

 private:
  float x_ = 0.0f;
  float y_ = 0.0f;
  float z_ = 0.0f;
};

// A rotation record as the host stores it, w last.
class Quaternion {
 public:
  Quaternion() = default;
  Quaternion(float x, float y, float z, float w) noexcept : x_(x), y_(y), z_(z), w_(w) {}
  float x() const noexcept { return x_; }
  float y() const noexcept { return y_; }
  float z() const noexcept { return z_; }
  float w() const noexcept { return w_; }

 private:
  float x_ = 0.0f;
  float y_ = 0.0f;
  float z_ = 0.0f;
  float w_ = 0.0f;
};

static_assert(sizeof(Vector3) == 16 && std::is_standard_layout<Vector3>::value, "Vector3 is four floats");
static_assert(sizeof(PackedVector3) == 12 && std::is_standard_layout<PackedVector3>::value,
              "PackedVector3 is three floats");
static_assert(sizeof(Quaternion) == 16 && std::is_standard_layout<Quaternion>::value, "Quaternion is four floats");

}  // namespace kvl
