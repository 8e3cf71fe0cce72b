#include "plugin/host/model/driving_path.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kvl::host {

float HostDrivingPath::floatAt(std::size_t offset) const noexcept {
  float f;
  std::memcpy(&f, bytes_ + offset, sizeof f);
  return f;
}

std::int32_t HostDrivingPath::count() const noexcept {
  std::uint32_t n;
  std::memcpy(&n, bytes_ + kCountOffset, sizeof n);
  return static_cast<std::int32_t>(std::min<std::uint32_t>(n, kMaxPoints));
}

Vector3d HostDrivingPath::position(std::int32_t i) const noexcept {
  float v[3];
  std::memcpy(v, point(i), sizeof v);
  return fromHostVector(v);
}

Vector3d HostDrivingPath::direction(std::int32_t i) const noexcept {
  float v[3];
  std::memcpy(v, point(i) + kDirectionOffset, sizeof v);
  return fromHostVector(v);
}

float HostDrivingPath::distance(std::int32_t i) const noexcept {
  return floatAt(kPointsOffset + kPointSize * static_cast<std::size_t>(i) + kDistanceOffset);
}

Vector3d HostDrivingPath::positionAt(std::int32_t k, double t) const noexcept {
  const std::int32_t n = count();
  if (n <= 1 || k < 0 || k >= n - 1) return {};
  const double t2 = t * t;
  const double t3 = t2 * t;
  return scaleVector3d(2 * t3 - 3 * t2 + 1, position(k)) + scaleVector3d(t3 - 2 * t2 + t, direction(k)) +
         scaleVector3d(3 * t2 - 2 * t3, position(k + 1)) + scaleVector3d(t3 - t2, direction(k + 1));
}

Vector3d HostDrivingPath::positionAtIndex(double f) const noexcept {
  if (!(f > 0.0)) f = 0.0;
  if (f >= count()) return {};  // past every segment (and beyond the range of an index)
  const auto k = static_cast<std::int32_t>(f);
  return positionAt(k, f - k);
}

Vector3d HostDrivingPath::directionAt(std::int32_t k, double t) const noexcept {
  const std::int32_t n = count();
  if (n <= 1 || k < 0 || k >= n - 1) return {};
  return lerp(direction(k), direction(k + 1), t);
}

double HostDrivingPath::nearestIndex(const Vector3d& p, double hint) const noexcept {
  const std::int32_t n = count();
  if (n < 2 || !(hint >= 0.0)) return 0.0;

  std::int32_t a;
  Vector3d centre;
  if (hint < n) {
    a = static_cast<std::int32_t>(hint);
    centre = positionAtIndex(hint);
  } else {
    a = n - 1;
    centre = position(a);
  }

  // Half-width of the search window: (distance - 6) / 2, at least 1 and at most n (a NaN or
  // huge distance would leave it undefined).
  const Vector3d offset = p - centre;
  const double half = (std::sqrt(offset.dot(offset)) - 6.0) * 0.5;
  std::int32_t w = 1;
  if (half >= n) {
    w = n;
  } else if (half >= 1.0) {
    w = static_cast<std::int32_t>(half);
  }

  const std::int32_t lo = std::max(0, a - w);
  const std::int32_t hi = std::min(a + w, n - 1);
  std::int32_t m = lo;
  double best = 0.0;
  for (std::int32_t i = lo; i <= hi; ++i) {
    const Vector3d d = p - position(i);
    const double squared = d.dot(d);
    if (i == lo || squared < best) {
      best = squared;
      m = i;
    }
  }

  if (m > 0) {
    if (m == n - 1) {
      --m;
    } else if ((p - position(m)).dot(direction(m)) < 0.0) {
      --m;
    }
  }

  double low = 0.0;
  double high = 1.0;
  double t = 0.0;
  for (int round = 0; round < 40; ++round) {
    t = (low + high) / 2;
    const double v = (p - positionAt(m, t)).dot(directionAt(m, t));
    if (std::fabs(v) <= 0.002) break;
    if (v > 0) {
      low = t;
    } else {
      high = t;
    }
  }
  return m + t;
}

float HostDrivingPath::distanceToIndex(float d) const noexcept {
  const std::int32_t n = count();
  if (n < 2 || !(d > 0.0f)) return 0.0f;
  for (std::int32_t i = 0; i + 1 < n; ++i) {
    const float di = distance(i);
    const float dj = distance(i + 1);
    if (d == di) return static_cast<float>(i);
    if (d == dj) return static_cast<float>(i + 1);
    if (di < d && d < dj) return static_cast<float>(i) + (d - di) / (dj - di);
  }
  return 0.0f;
}

}  // namespace kvl::host
