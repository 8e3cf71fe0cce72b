#pragma once
#include <ostream>
#include <vector>

namespace kvl {

// A one-dimensional curve y = f(x) through points whose x values rise strictly (neighbours differ
// by at least 1e-9). The kinds of curve add their own evaluation; data errors throw
// std::runtime_error.
class Spline {
 public:
  virtual ~Spline() = default;

  // Sets the points from two vectors of equal length.
  virtual void setPoints(const std::vector<double>& xs, const std::vector<double>& ys) = 0;
  // Takes n points from the two arrays.
  virtual void build(const double* xs, const double* ys, unsigned n) = 0;
  // Completes the curve after its points were appended.
  virtual void finish() = 0;
  // Removes every point.
  virtual void clear() = 0;
  // The curve's value, first, second and third derivative at x.
  virtual double evaluate(double x) const = 0;
  virtual double slope(double x) const = 0;
  virtual double secondDerivative(double x) const = 0;
  virtual double thirdDerivative(double x) const = 0;
  // The kind's name.
  virtual const char* kindName() const = 0;
  // One line per segment: index, end points and slope.
  virtual void printSegments(std::ostream& os) const;

  // Appends a point; a point within 1e-9 of the last x is ignored, one below it throws.
  void pushBack(double x, double y);

  unsigned count() const { return count_; }
  const std::vector<double>& xs() const { return xs_; }
  const std::vector<double>& ys() const { return ys_; }

 protected:
  unsigned count_ = 0;
  std::vector<double> xs_;
  std::vector<double> ys_;
};

}  // namespace kvl
