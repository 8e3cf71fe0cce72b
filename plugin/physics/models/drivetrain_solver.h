#pragma once
#include <cstdint>

namespace kvl::physics {

// Whether a free wheel locks against its brake and handbrake: u outside [-(hb + f), f - hb].
// Gives the direction it locks in (-1 or +1), or 0 when it stays free.
int wheelLockDirection(float u, float handbrakeTorque, float lockedTorque);

// The clutch between engine and gearbox.
struct CouplingState {
  int32_t slipSign = 0;        // -1, 0, +1
  int32_t synchronised = 0;
  float speed = 0.0f;          // engine speed, rad/s
};

struct CouplingInput {
  float torque = 0.0f;         // T
  float limit = 0.0f;          // L
  float ratio = 0.0f;          // r
  float dt = 0.0f;
  float gearRatio = 0.0f;
  float inertiaFront = 0.0f;   // I_f
  float inertiaRear = 0.0f;    // I_r
  bool engaged = false;        // gear entry non-zero and engaged flag set
};

// The host steps the coupling hands work to.
class CouplingHost {
 public:
  virtual ~CouplingHost() = default;
  // The synchronised step with the momentum f taken from the engine side.
  virtual void synchronisedStep(float f) = 0;
  // The free step with a torque; true when it took the engine speed over.
  virtual bool freeStep(float torque) = 0;
};

// One stick/slip step: returns the coupling output. A step of 0 or a coupling without inertia
// changes nothing and outputs 0.
float stickSlip(CouplingState& state, const CouplingInput& in, CouplingHost& host);

}  // namespace kvl::physics
