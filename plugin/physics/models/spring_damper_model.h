#pragma once

namespace kvl::physics {

// The bump stop's travel from the strut platform height: 0.05 - h for 0 <= h <= 0.05, else 0.
float bumpStopTravel(float platformHeight);

struct BumpStopInput {
  float length = 0.0f;          // current spring length
  float engageLength = 0.0f;    // the block's bump-stop engagement length (+40)
  float travel = 0.0f;          // bumpStopTravel
  bool progressive = false;
  float stiffness = 0.0f;       // bump-stop stiffness (+152)
  float damping = 0.0f;         // bump-stop bump damping (+216)
  float velocity = 0.0f;
  float reboundRatio = 0.0f;    // BumpStopRebound_QZR
};
// The bump stop of one step: the values the host uses during its call and the three outputs.
struct BumpStop {
  bool engaged = false;
  float stiffness = 0.0f;       // for the host call
  float damping = 0.0f;         // for the host call
  float factorOutput = 0.0f;
  float stiffnessOutput = 0.0f;
  float dampingOutput = 0.0f;
};
BumpStop bumpStopFor(const BumpStopInput& in);

struct HighSpeedInput {
  float bumpBreak = 0.0f;           // +232
  float reboundBreak = 0.0f;        // +248
  float reboundDamping = 0.0f;      // +280
  float reboundScale = 0.0f;        // the float at +4 of the component's +16 object
  float bumpDamping = 0.0f;         // the state record's high-speed bump damping (+20)
  float velocity = 0.0f;
  float activeBump = 0.0f;          // state +12
  float activeRebound = 0.0f;       // state +16
};
// The damping and breaks the host uses during its call: beyond a break the high-speed value
// takes over and that break is set to 0.
struct HighSpeedDamping {
  float bumpBreak = 0.0f;
  float reboundBreak = 0.0f;
  float reboundDamping = 0.0f;
  float activeBump = 0.0f;
  float activeRebound = 0.0f;
};
HighSpeedDamping highSpeedDampingFor(const HighSpeedInput& in);

// The two spring globals from the car's time scale.
struct SpringConstants {
  float forceScale = 27000.0f;
  float timeConstant = 5.5555556e-5f;
};
SpringConstants springConstantsFor(float timeScale);

}  // namespace kvl::physics
