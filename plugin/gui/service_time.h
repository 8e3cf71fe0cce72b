#pragma once
// The rally event's service time, as the service screen's items hand it over.
namespace kvl::gui {

// Replaces the event's service-time value.
void addServiceTime(float value);
// The value last handed over.
float serviceTime();

}  // namespace kvl::gui
