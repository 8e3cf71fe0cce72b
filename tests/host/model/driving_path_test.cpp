#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/model/driving_path.h"

using kvl::Vector3d;
using kvl::host::HostDrivingPath;

namespace {

// A path object laid out as the host's, with points along a gentle curve.
struct PathObject {
  std::vector<unsigned char> bytes = std::vector<unsigned char>(HostDrivingPath::kObjectSize, 0);

  void setCount(std::uint32_t n) { std::memcpy(&bytes[HostDrivingPath::kCountOffset], &n, 4); }
  void setPoint(int i, Vector3d p, Vector3d d, float distance) {
    unsigned char* at = &bytes[HostDrivingPath::kPointsOffset + HostDrivingPath::kPointSize * i];
    const float pos[3] = {float(p.x), float(p.y), float(p.z)};
    const float dir[3] = {float(d.x), float(d.y), float(d.z)};
    std::memcpy(at, pos, 12);
    std::memcpy(at + 16, dir, 12);
    std::memcpy(at + 32, &distance, 4);
  }
  static PathObject curve(int n) {
    PathObject o;
    for (int i = 0; i < n; ++i) o.setPoint(i, {10.0 * i, 0.1 * i * i, 0}, {10.0, 0.2 * i, 0}, 10.0f * i);
    o.setCount(n);
    return o;
  }
  HostDrivingPath path() const { return HostDrivingPath(bytes.data()); }
};

// The reference Hermite curve, written out independently of the code under test.
Vector3d hermite(Vector3d p0, Vector3d t0, Vector3d p1, Vector3d t1, double t) {
  const double h00 = 2 * t * t * t - 3 * t * t + 1, h10 = t * t * t - 2 * t * t + t;
  const double h01 = -2 * t * t * t + 3 * t * t, h11 = t * t * t - t * t;
  return {h00 * p0.x + h10 * t0.x + h01 * p1.x + h11 * t1.x, h00 * p0.y + h10 * t0.y + h01 * p1.y + h11 * t1.y,
          h00 * p0.z + h10 * t0.z + h01 * p1.z + h11 * t1.z};
}

void expectNear(Vector3d a, Vector3d b, double tolerance = 1e-9) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

}  // namespace

TEST(DrivingPath, HermitePositionAndDirection) {
  const PathObject o = PathObject::curve(5);
  const HostDrivingPath path = o.path();
  for (int k = 0; k < 4; ++k) {
    for (double t : {0.0, 0.25, 0.5, 0.9}) {
      expectNear(path.positionAt(k, t),
                 hermite(path.position(k), path.direction(k), path.position(k + 1), path.direction(k + 1), t));
      expectNear(path.directionAt(k, t), {10.0, 0.2 * k + 0.2 * t, 0}, 1e-6);  // stored as floats
    }
  }
  expectNear(path.positionAtIndex(2.25), path.positionAt(2, 0.25));
  expectNear(path.positionAtIndex(-3.0), path.position(0));
  expectNear(path.positionAtIndex(std::nan("")), path.position(0));
}

TEST(DrivingPath, OutsideTheSegmentsGivesZero) {
  const PathObject o = PathObject::curve(5);
  struct Case {
    int k;
  } cases[] = {{4}, {5}, {-1}, {std::numeric_limits<int>::min()}};
  for (const auto& c : cases) {
    expectNear(o.path().positionAt(c.k, 0.5), {});
    expectNear(o.path().directionAt(c.k, 0.5), {});
  }
  for (double f : {4.0, 4.5, 1e12}) expectNear(o.path().positionAtIndex(f), {});
  for (int n : {0, 1}) {
    const PathObject small = PathObject::curve(n);
    expectNear(small.path().positionAt(0, 0.5), {});
    EXPECT_EQ(small.path().nearestIndex({1, 1, 1}, 0.0), 0.0);
    EXPECT_EQ(small.path().distanceToIndex(5.0f), 0.0f);
  }
}

TEST(DrivingPath, NearestIndexFindsThePointOnThePath) {
  const PathObject o = PathObject::curve(40);
  const HostDrivingPath path = o.path();
  // Points on the curve are found from a hint nearby and from one far away (a wide window).
  for (double f : {3.3, 17.75, 30.5}) {
    const Vector3d p = path.positionAtIndex(f);
    EXPECT_NEAR(path.nearestIndex(p, f + 0.4), f, 1e-3) << f;
    EXPECT_NEAR(path.nearestIndex(p, 35.0), f, 1e-3) << f;
  }
  // Behind the nearest point the segment before it is refined.
  const Vector3d behind = path.positionAtIndex(9.8);
  EXPECT_NEAR(path.nearestIndex(behind, 10.0), 9.8, 1e-3);
}

TEST(DrivingPath, NearestIndexHintsAndCountFromHostMemory) {
  PathObject o = PathObject::curve(40);
  const Vector3d p = o.path().positionAtIndex(12.5);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(o.path().nearestIndex(p, -1.0), 0.0);
  EXPECT_EQ(o.path().nearestIndex(p, nan), 0.0);
  EXPECT_NEAR(o.path().nearestIndex(p, 1e30), 12.5, 1e-3);  // a hint past the end starts at the last point
  // A NaN position leaves the window at its bounds and the result defined.
  EXPECT_FALSE(std::isnan(o.path().nearestIndex({nan, 0, 0}, 3.0)));
  // A count word beyond the array reads as 10000 points.
  o.setCount(0xFFFFFFFFu);
  EXPECT_EQ(o.path().count(), 10000);
  EXPECT_GE(o.path().nearestIndex({1e9, 1e9, 0}, 5.0), 0.0);
}

TEST(DrivingPath, DistanceToIndex) {
  const PathObject o = PathObject::curve(5);  // distances 0, 10, 20, 30, 40
  struct Case {
    float distance, index;
  } cases[] = {{0.0f, 0.0f}, {-1.0f, 0.0f}, {10.0f, 1.0f}, {25.0f, 2.5f}, {40.0f, 4.0f}, {41.0f, 0.0f},
               {std::nanf(""), 0.0f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(o.path().distanceToIndex(c.distance), c.index) << c.distance;
}
