#pragma once
// The rally event's service time, as the service screen's items hand it over.
namespace kvl::gui {

// Replaces the event's service-time value and hands it to the receiver, when one is set.
void addServiceTime(float value);
// The value last handed over.
float serviceTime();
// The rally event's receiver of the value (set by the plugin controller; null in tests of the
// items alone).
void setServiceTimeReceiver(void (*receiver)(float value));

}  // namespace kvl::gui
