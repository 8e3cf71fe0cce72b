#include "plugin/gui/service_time.h"

#include <atomic>

namespace kvl::gui {
namespace {

float& stored() {
  static float value = 0.0f;
  return value;
}

std::atomic<void (*)(float)>& receiver() {
  static std::atomic<void (*)(float)> value{nullptr};
  return value;
}

}  // namespace

void addServiceTime(float value) {
  stored() = value;
  if (void (*handOver)(float) = receiver().load()) handOver(value);
}

float serviceTime() { return stored(); }

void setServiceTimeReceiver(void (*handOver)(float value)) { receiver().store(handOver); }

}  // namespace kvl::gui
