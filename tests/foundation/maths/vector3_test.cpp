#include "plugin/foundation/maths/vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

namespace {

using kvl::Vector3;

constexpr float kPi = 3.14159265358979f;

// A vector whose fourth component holds junk, as a block copied from elsewhere may.
Vector3 withJunkW(float x, float y, float z) {
  Vector3 v(x, y, z);
  float raw[4] = {x, y, z, 123.0f};
  std::memcpy(static_cast<void*>(&v), raw, sizeof raw);
  return v;
}

TEST(Vector3, LengthAndCappedLength) {
  struct Case {
    Vector3 v;
    float limit;
    float length;
    float capped;
  };
  const Case cases[] = {
      {Vector3(3, 4, 0), 2.0f, 5.0f, 2.0f},
      {Vector3(3, 4, 0), 7.0f, 5.0f, 5.0f},
      {Vector3(3, 4, 0), 5.0f, 5.0f, 5.0f},
      {Vector3(0, -3, 4), 10.0f, 5.0f, 5.0f},
      {Vector3(2, 3, 6), 1.0f, 7.0f, 1.0f},
      {Vector3(), 1.0f, 0.0f, 0.0f},
      {Vector3(1e-30f, 0, 0), 1.0f, 0.0f, 0.0f},  // the square underflows in single precision
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(c.v.length(), c.length) << c.v;
    EXPECT_FLOAT_EQ(c.v.cappedLength(c.limit), c.capped) << c.v << " limit " << c.limit;
  }
}

TEST(Vector3, Normalize) {
  struct Case {
    Vector3 in;
    Vector3 out;
  };
  const Case cases[] = {
      {Vector3(0, 0, 0), Vector3(0, 0, 0)},
      {Vector3(3, 0, 4), Vector3(0.6f, 0, 0.8f)},
      {Vector3(0, -2, 0), Vector3(0, -1, 0)},
      {Vector3(1e-30f, 0, 0), Vector3(1e-30f, 0, 0)},  // length 0 in float: left alone
      {Vector3(1e-10f, 0, 0), Vector3(1, 0, 0)},        // tiny but above 2^-52
  };
  for (const Case& c : cases) {
    Vector3 v = c.in;
    v.normalize();
    EXPECT_FLOAT_EQ(v.x(), c.out.x()) << c.in;
    EXPECT_FLOAT_EQ(v.y(), c.out.y()) << c.in;
    EXPECT_FLOAT_EQ(v.z(), c.out.z()) << c.in;
    EXPECT_FALSE(std::isnan(v.x()) || std::isnan(v.y()) || std::isnan(v.z()));
  }
}

TEST(Vector3, SignedAngle) {
  struct Case {
    Vector3 a, b, axis;
    float angle;
  };
  const Case cases[] = {
      {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1), kPi / 2},
      {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, -1), -kPi / 2},
      {Vector3(1, 0, 0), Vector3(1, 0, 0), Vector3(0, 0, 1), 0.0f},
      {Vector3(1, 0, 0), Vector3(-1, 0, 0), Vector3(0, 0, 1), kPi},
      {Vector3(1, 0, 0), Vector3(1, 1, 0), Vector3(0, 0, 1), kPi / 4},
      {Vector3(1, 0, 0), Vector3(1, -1, 0), Vector3(0, 0, 1), -kPi / 4},
      // An axis at right angles to the normal counts as positive.
      {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(1, 0, 0), kPi / 2},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.a.signedAngle(c.b, c.axis), c.angle, 1e-6) << c.a << " to " << c.b << " about " << c.axis;
  }
}

TEST(Vector3, CrossDotAndDifference) {
  struct Case {
    Vector3 a, b, cross;
    double dot;
  };
  const Case cases[] = {
      {Vector3(1, 0, 0), Vector3(0, 1, 0), Vector3(0, 0, 1), 0.0},
      {Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 0, -1), 0.0},
      {Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(-3, 6, -3), 32.0},
      {Vector3(2, 0, 0), Vector3(5, 0, 0), Vector3(0, 0, 0), 10.0},
  };
  for (const Case& c : cases) {
    Vector3 out = withJunkW(9, 9, 9);
    Vector3& r = c.a.cross(c.b, out);
    EXPECT_EQ(&r, &out);
    EXPECT_FLOAT_EQ(out.x(), c.cross.x());
    EXPECT_FLOAT_EQ(out.y(), c.cross.y());
    EXPECT_FLOAT_EQ(out.z(), c.cross.z());
    EXPECT_EQ(out.w(), 0.0f);
    EXPECT_DOUBLE_EQ(c.a.dot(c.b), c.dot);
  }
  // The products are summed in double: 2^24 + 1 is not a float but is the exact dot product.
  EXPECT_DOUBLE_EQ(Vector3(16777216.0f, 1, 0).dot(Vector3(1, 1, 0)), 16777217.0);
}

TEST(Vector3, FourthComponentStaysZero) {
  const Vector3 a = withJunkW(5, 6, 7);
  const Vector3 b = withJunkW(1, 2, 3);
  ASSERT_EQ(a.w(), 123.0f);
  const Vector3 d = a - b;
  EXPECT_EQ(d.w(), 0.0f);
  EXPECT_EQ(d.x(), 4.0f);
  EXPECT_EQ(d.y(), 4.0f);
  EXPECT_EQ(d.z(), 4.0f);

  Vector3 s = withJunkW(1, 1, 1);
  s.set(2, 3, 4);
  EXPECT_EQ(s.w(), 0.0f);

  // clearXyz and += leave the fourth component as it was.
  Vector3 c = withJunkW(1, 1, 1);
  c.clearXyz();
  EXPECT_EQ(c.w(), 123.0f);
  EXPECT_EQ(c.x(), 0.0f);
  Vector3 p = withJunkW(1, 2, 3);
  p += Vector3(1, 1, 1);
  EXPECT_EQ(p.w(), 123.0f);
  EXPECT_EQ(p.z(), 4.0f);

  Vector3 chained;
  chained.setX(1).setY(2).setZ(3);
  EXPECT_EQ(chained.x(), 1.0f);
  EXPECT_EQ(chained.y(), 2.0f);
  EXPECT_EQ(chained.z(), 3.0f);
}

TEST(Vector3, TextForm) {
  std::ostringstream out;
  out << Vector3(1, 2.5f, -3);
  EXPECT_EQ(out.str(), "1 2.5 -3");

  std::istringstream in(out.str());
  Vector3 back = withJunkW(9, 9, 9);
  in >> back;
  EXPECT_FALSE(in.fail());
  EXPECT_EQ(back.x(), 1.0f);
  EXPECT_EQ(back.y(), 2.5f);
  EXPECT_EQ(back.z(), -3.0f);
  EXPECT_EQ(back.w(), 0.0f);

  struct Bad {
    const char* text;
  };
  const Bad bad[] = {{"1 2"}, {"1 x 3"}, {""}, {"a b c"}};
  for (const Bad& b : bad) {
    std::istringstream is(b.text);
    Vector3 v(7, 8, 9);
    is >> v;
    EXPECT_TRUE(is.fail()) << b.text;
    EXPECT_EQ(v.x(), 7.0f) << b.text;  // a failed read leaves the vector
  }
}

}  // namespace
