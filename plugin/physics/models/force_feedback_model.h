#pragma once
#include <cstdint>

namespace kvl::physics {

// The steering force-feedback curve: s x (1 - 0.975^(|x| x 100 / k)), odd, monotone and within
// (-1, 1). A sensitivity below 1 is taken as 1; NaN gives 0.
float forceFeedbackCurve(float x, float sensitivity);

// The constant force sent to the wheel: floor(gain x steering), clamped to -10000..10000 before
// it becomes an integer; NaN gives 0.
int32_t constantForceFor(int32_t gain, float steering);

// The H-pattern shifter scan over the eight shifter items 13..20.
struct ShifterItems {
  bool bound[8] = {};          // the item has a control
  float value[8] = {};         // its analogue value
};
// The gear the shifter selects (1..8), 2 when no item is engaged but some are bound and item 14
// is not (the host's neutral), or 0 when the record stays unchanged.
int shifterGear(const ShifterItems& items);

}  // namespace kvl::physics
