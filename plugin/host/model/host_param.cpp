#include "plugin/host/model/host_param.h"

#include <cmath>

namespace kvl::host {

bool HostFloatParam::equals(const HostFloatParam& a, const HostFloatParam& b) noexcept {
  if (&a == &b) return true;
  return std::fabs(a.value_ - b.value_) < 1.1920929e-7f;
}

}  // namespace kvl::host
