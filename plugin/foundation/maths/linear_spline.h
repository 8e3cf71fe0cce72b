#pragma once
#include <sstream>
#include <stdexcept>
#include <vector>

#include "plugin/foundation/maths/spline.h"

namespace kvl {

// The piecewise-linear curve: straight segments between the points, the end values beyond them.
class LinearSpline : public Spline {
 public:
  void setPoints(const std::vector<double>& xs, const std::vector<double>& ys) override;

  // Needs at least two points; the text of the error names this header.
  void build(const double* xs, const double* ys, unsigned n) override {
    if (n < 2) {
      std::ostringstream text;
      text << "On line: " << 339 << " file: " << __FILE__ << "LinearSpline::build, n =" << n
           << " not enough points to define a spline";
      throw std::runtime_error(text.str());
    }
    buildPoints(xs, ys, n);
  }

  void finish() override {}
  void clear() override;

  // The first y below the first x, the last y beyond the last x, else the interpolated value.
  // A single point gives its y everywhere; no point gives 0.
  double evaluate(double x) const override;
  // 0 outside the x range, else the slope of the segment that holds x.
  double slope(double x) const override;
  double secondDerivative(double) const override { return 0.0; }
  double thirdDerivative(double) const override { return 0.0; }
  const char* kindName() const override { return "linear"; }

 private:
  void buildPoints(const double* xs, const double* ys, unsigned n);
  // The index i of the segment [x(i), x(i+1)] for an x inside the range; needs two points.
  size_t segmentOf(double x) const;
};

}  // namespace kvl
