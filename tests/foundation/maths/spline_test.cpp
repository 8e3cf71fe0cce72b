#include "plugin/foundation/maths/linear_spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using kvl::LinearSpline;

struct Point {
  double x, y;
};

LinearSpline splineOf(const std::vector<Point>& points) {
  LinearSpline s;
  for (const Point& p : points) s.pushBack(p.x, p.y);
  return s;
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Spline, PushBackKeepsStrictlyRisingPoints) {
  struct Case {
    const char* name;
    std::vector<Point> points;
    std::vector<double> xs;
    std::vector<double> ys;
  };
  const Case cases[] = {
      {"near duplicate dropped", {{0, 1}, {1, 2}, {1 + 1e-10, 9}, {2, 3}}, {0, 1, 2}, {1, 2, 3}},
      {"equal x with another y dropped", {{0, 1}, {1, 2}, {1, 5}}, {0, 1}, {1, 2}},
      {"exactly 1e-9 apart kept", {{0, 0}, {1e-9, 1}}, {0, 1e-9}, {0, 1}},
      {"first point always taken", {{-5, 7}}, {-5}, {7}},
  };
  for (const Case& c : cases) {
    const LinearSpline s = splineOf(c.points);
    EXPECT_EQ(s.xs(), c.xs) << c.name;
    EXPECT_EQ(s.ys(), c.ys) << c.name;
    EXPECT_EQ(s.count(), c.xs.size()) << c.name;
  }
}

TEST(Spline, FallingPointThrowsAndLeavesSplineUnchanged) {
  LinearSpline s = splineOf({{0, 0}, {1, 1}});
  const std::string text = errorOf([&] { s.pushBack(0.5, 3); });
  const std::string expectedTail =
      "Spline::pushBack, non monotone insert at insert N. 2\nX[ 1] = 1\nX[ 2] = 0.5\n";
  ASSERT_GE(text.size(), expectedTail.size()) << text;
  EXPECT_EQ(text.substr(0, 17), "On line: 36 file:") << text;
  EXPECT_EQ(text.substr(text.size() - expectedTail.size()), expectedTail) << text;
  EXPECT_NE(text.find("spline"), std::string::npos) << "names the source file: " << text;
  EXPECT_EQ(s.count(), 2u);
  EXPECT_EQ(s.xs(), (std::vector<double>{0, 1}));

  // A NaN x never passes as rising.
  EXPECT_THROW(s.pushBack(std::nan(""), 0), std::runtime_error);
  EXPECT_EQ(s.count(), 2u);
}

TEST(Spline, PrintSegments) {
  struct Case {
    std::vector<Point> points;
    std::string text;
  };
  const Case cases[] = {
      {{}, ""},
      {{{1, 1}}, ""},
      {{{0, 0}, {2, 1}, {3, 4}},
       "segment N.   0 X:[ 0, 2 ] Y:[ 0, 1 ] slope: 0.5\n"
       "segment N.   1 X:[ 2, 3 ] Y:[ 1, 4 ] slope: 3\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream out;
    splineOf(c.points).printSegments(out);
    EXPECT_EQ(out.str(), c.text);
  }
}

TEST(LinearSpline, EvaluateAndSlope) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const LinearSpline s = splineOf({{0, 10}, {1, 20}, {3, 0}});
  struct Case {
    double x, value, slope;
  };
  const Case cases[] = {
      {-1, 10, 0},     // below the first x: the first y, no slope
      {-inf, 10, 0},
      {0, 10, 10},     // exactly the first x: the first segment
      {0.5, 15, 10},
      {1, 20, 10},     // an inner point ends the segment before it
      {2, 10, -10},
      {3, 0, -10},     // exactly the last x: the last segment
      {3.5, 0, 0},     // beyond the last x: the last y, no slope
      {inf, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(s.evaluate(c.x), c.value) << "x = " << c.x;
    EXPECT_DOUBLE_EQ(s.slope(c.x), c.slope) << "x = " << c.x;
    EXPECT_EQ(s.secondDerivative(c.x), 0.0);
    EXPECT_EQ(s.thirdDerivative(c.x), 0.0);
  }
  EXPECT_TRUE(std::isnan(s.evaluate(nan)));
}

TEST(LinearSpline, FewPointsGiveSafeResults) {
  const LinearSpline one = splineOf({{2, 5}});
  const LinearSpline none;
  for (double x : {-1.0, 2.0, 3.0}) {
    EXPECT_EQ(one.evaluate(x), 5.0) << x;
    EXPECT_EQ(one.slope(x), 0.0) << x;
    EXPECT_EQ(none.evaluate(x), 0.0) << x;
    EXPECT_EQ(none.slope(x), 0.0) << x;
  }
  std::ostringstream out;
  one.printSegments(out);
  EXPECT_EQ(out.str(), "");
}

TEST(LinearSpline, BuildNeedsTwoPoints) {
  const double xs[] = {0, 1, 2};
  const double ys[] = {5, 6, 8};
  for (unsigned n : {0u, 1u}) {
    LinearSpline s;
    const std::string text = errorOf([&] { s.build(xs, ys, n); });
    EXPECT_EQ(text.substr(0, 18), "On line: 339 file:") << text;
    const std::string tail = "LinearSpline::build, n =" + std::to_string(n) + " not enough points to define a spline";
    EXPECT_NE(text.find("linear_spline.h" + tail), std::string::npos) << text;
    EXPECT_TRUE(s.xs().empty());
  }

  LinearSpline s = splineOf({{9, 9}});
  s.build(xs, ys, 3);
  EXPECT_EQ(s.xs(), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(s.ys(), (std::vector<double>{5, 6, 8}));
  EXPECT_DOUBLE_EQ(s.evaluate(1.5), 7.0);
  EXPECT_STREQ(s.kindName(), "linear");

  s.setPoints({0, 10}, {1, 2});
  EXPECT_DOUBLE_EQ(s.evaluate(5), 1.5);
  // Vectors of different lengths are refused rather than read past their end.
  EXPECT_THROW(s.setPoints({0, 1, 2}, {1, 2}), std::runtime_error);
  EXPECT_EQ(s.xs(), (std::vector<double>{0, 10}));

  s.clear();
  EXPECT_TRUE(s.xs().empty());
  EXPECT_TRUE(s.ys().empty());
  EXPECT_EQ(s.count(), 0u);
  EXPECT_EQ(s.evaluate(1), 0.0);
  s.pushBack(-1, 4);  // a cleared spline takes points again
  EXPECT_EQ(s.evaluate(0), 4.0);
}

TEST(LinearSpline, RepeatedXFromBuildDoesNotDivideByZero) {
  const double xs[] = {0, 1, 1, 2};
  const double ys[] = {0, 1, 5, 6};
  LinearSpline s;
  s.build(xs, ys, 4);
  for (double x : {0.0, 0.5, 1.0, 1.5, 2.0}) {
    EXPECT_TRUE(std::isfinite(s.evaluate(x))) << x;
    EXPECT_TRUE(std::isfinite(s.slope(x))) << x;
  }
}

}  // namespace
