#pragma once
// What a service visit that ran over its time costs: 10 for every whole minute over.
namespace kvl::gui {

// 0 for v <= 0, else 10 x the whole minutes in v seconds.
float serviceOvertimeValue(float seconds) noexcept;

}  // namespace kvl::gui
