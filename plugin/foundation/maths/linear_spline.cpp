#include "plugin/foundation/maths/linear_spline.h"

#include <algorithm>

namespace kvl {

void LinearSpline::setPoints(const std::vector<double>& xs, const std::vector<double>& ys) {
  if (xs.size() != ys.size()) {
    std::ostringstream text;
    text << "LinearSpline::setPoints, " << xs.size() << " x values but " << ys.size() << " y values";
    throw std::runtime_error(text.str());
  }
  build(xs.data(), ys.data(), static_cast<unsigned>(xs.size()));
}

void LinearSpline::buildPoints(const double* xs, const double* ys, unsigned n) {
  xs_.assign(xs, xs + n);
  ys_.assign(ys, ys + n);
  count_ = n;
}

void LinearSpline::clear() {
  xs_.clear();
  ys_.clear();
  count_ = 0;
}

size_t LinearSpline::segmentOf(double x) const {
  // The first x not below the given one, less one, kept inside 0 .. n - 2 so that the first x
  // itself (and an x that compares with nothing, such as NaN) uses the first segment.
  const size_t found = static_cast<size_t>(std::lower_bound(xs_.begin(), xs_.end(), x) - xs_.begin());
  const size_t last = xs_.size() - 2;
  if (found == 0) return 0;
  return std::min(found - 1, last);
}

double LinearSpline::evaluate(double x) const {
  const size_t n = std::min(xs_.size(), ys_.size());
  if (n == 0) return 0.0;
  if (n == 1 || x < xs_.front()) return ys_.front();
  if (x > xs_[n - 1]) return ys_[n - 1];
  const size_t i = segmentOf(x);
  const double dx = xs_[i + 1] - xs_[i];
  if (!(dx > 0.0)) return ys_[i];
  return ys_[i] + (x - xs_[i]) * (ys_[i + 1] - ys_[i]) / dx;
}

double LinearSpline::slope(double x) const {
  const size_t n = std::min(xs_.size(), ys_.size());
  if (n < 2 || x < xs_.front() || x > xs_[n - 1]) return 0.0;
  const size_t i = segmentOf(x);
  const double dx = xs_[i + 1] - xs_[i];
  if (!(dx > 0.0)) return 0.0;
  return (ys_[i + 1] - ys_[i]) / dx;
}

}  // namespace kvl
