#include "plugin/gui/service_time.h"

namespace kvl::gui {
namespace {

// Kept here until the rally event takes the value over.
float& stored() {
  static float value = 0.0f;
  return value;
}

}  // namespace

void addServiceTime(float value) { stored() = value; }

float serviceTime() { return stored(); }

}  // namespace kvl::gui
