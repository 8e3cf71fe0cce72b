#include "plugin/foundation/maths/spline.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace kvl {

namespace {
// The line number that the insertion error text reports.
constexpr int kInsertErrorLine = 36;
}  // namespace

void Spline::pushBack(double x, double y) {
  if (!xs_.empty()) {
    const double last = xs_.back();
    if (std::fabs(x - last) < 1e-9) return;
    if (!(x > last)) {
      std::ostringstream text;
      text << "On line: " << kInsertErrorLine << " file: " << __FILE__
           << "Spline::pushBack, non monotone insert at insert N. " << count_ << "\nX[ " << count_ - 1
           << "] = " << last << "\nX[ " << count_ << "] = " << x << '\n';
      throw std::runtime_error(text.str());
    }
  }
  xs_.push_back(x);
  ys_.push_back(y);
  ++count_;
}

void Spline::printSegments(std::ostream& os) const {
  const size_t n = xs_.size() < ys_.size() ? xs_.size() : ys_.size();
  for (size_t i = 0; i + 1 < n; ++i) {
    os << "segment N." << std::setw(4) << i << " X:[ " << xs_[i] << ", " << xs_[i + 1]
       << " ] Y:[ " << ys_[i] << ", " << ys_[i + 1] << " ] slope: " << (ys_[i + 1] - ys_[i]) / (xs_[i + 1] - xs_[i])
       << '\n';
  }
}

}  // namespace kvl
