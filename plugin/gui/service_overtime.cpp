#include "plugin/gui/service_overtime.h"

#include <cmath>

namespace kvl::gui {

float serviceOvertimeValue(float seconds) noexcept {
  if (!(seconds > 0.0f)) return 0.0f;
  return std::trunc(seconds / 60.0f) * 10.0f;
}

}  // namespace kvl::gui
