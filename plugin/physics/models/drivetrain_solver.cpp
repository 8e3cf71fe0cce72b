#include "plugin/physics/models/drivetrain_solver.h"

#include <cmath>

#include "plugin/physics/models/float_sign.h"

namespace kvl::physics {

int wheelLockDirection(float u, float hb, float f) {
  if (!(u < -(hb + f) || u > f - hb)) return 0;
  return u <= f - hb ? -1 : 1;
}

float stickSlip(CouplingState& s, const CouplingInput& in, CouplingHost& host) {
  const float inertia = in.inertiaFront + in.inertiaRear;
  if (!(in.dt > 0.0f) || !(inertia > 0.0f)) return 0.0f;
  const float target = in.ratio * in.gearRatio;
  float output = 0.0f;
  if (in.engaged && s.slipSign == 0) {
    if (s.synchronised) {
      const float f = inertia * (target - s.speed);
      const float t = in.torque - f / in.dt;
      if (std::fabs(t) > in.limit) {
        s.slipSign = signOf(t);
        s.synchronised = 1;
        output = s.slipSign * in.limit;
      } else {
        s.speed = target;
        output = t;
      }
      host.synchronisedStep(f);
    } else if (std::fabs(in.torque) > in.limit) {
      s.slipSign = signOf(in.torque);
      s.synchronised = 1;
      output = s.slipSign * in.limit;
      host.freeStep(output);
    } else if (!host.freeStep(in.torque)) {
      s.speed = target;
      output = in.torque;
    }
  }
  if (!in.engaged) {
    s.slipSign = 0;
    s.speed += in.torque / inertia * in.dt;
    return 0.0f;
  }
  if (s.slipSign != 0) {
    output = s.slipSign * in.limit;
    if (in.inertiaFront > 0.0f) {
      const float old = s.speed;
      float next = old + (in.torque - s.slipSign * in.limit) / in.inertiaFront * in.dt;
      if (signOrZero(next) != signOrZero(old)) next = 0.0f;
      s.speed = next;
    }
    if (signOrZero(s.speed - target) != s.slipSign) {
      s.synchronised = 1;
      s.slipSign = 0;
      s.speed = target;
    }
  }
  return output;
}

}  // namespace kvl::physics
