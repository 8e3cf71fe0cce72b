#pragma once
// The colours of the two gear-change lamps for the distance to the shift point.

namespace kvl::host {

struct LampColour {
  float red, green, blue, alpha;
};

struct LampColours {
  LampColour first, second;
};

// distance = shift point - engine speed (revolutions per minute); step = the width of one stage.
// Dim, then green, yellow and red as the distance closes; red and red from 25 down.
LampColours lampColours(float distance, float step) noexcept;

}  // namespace kvl::host
