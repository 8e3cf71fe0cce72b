#include "plugin/physics/models/spring_damper_model.h"

#include <cmath>

namespace kvl::physics {

float bumpStopTravel(float h) { return (h >= 0.0f && h <= 0.05f) ? 0.05f - h : 0.0f; }

BumpStop bumpStopFor(const BumpStopInput& in) {
  BumpStop out;
  out.stiffness = in.stiffness;
  out.damping = in.damping;
  out.stiffnessOutput = in.stiffness;
  out.dampingOutput = in.damping;
  const float depth = in.engageLength - in.length;
  if (!(in.length < in.engageLength) || !(depth > 0.0f && depth <= in.travel)) return out;
  const float v = in.progressive ? depth / in.travel : 1.0f;
  out.engaged = true;
  out.stiffness = in.stiffness * v;
  out.damping = in.damping * std::sqrt(v);
  out.factorOutput = v;
  out.stiffnessOutput = out.stiffness;
  out.dampingOutput = out.damping;
  if (in.velocity < 0.0f) {
    out.damping /= 0.3f;
  } else if (in.reboundRatio > 0.0f) {
    out.damping *= in.reboundRatio;
    out.dampingOutput = out.damping;
  }
  return out;
}

HighSpeedDamping highSpeedDampingFor(const HighSpeedInput& in) {
  HighSpeedDamping out;
  out.bumpBreak = in.bumpBreak;
  out.reboundBreak = in.reboundBreak;
  out.reboundDamping = in.reboundDamping;
  out.activeBump = in.activeBump;
  out.activeRebound = in.activeRebound;
  if (out.reboundDamping > 0.0f) out.reboundDamping = (1.0f - 0.4f * in.reboundScale) * out.reboundDamping;
  if (out.bumpBreak > 0.0f && in.velocity <= -out.bumpBreak && in.bumpDamping > 0.0f) {
    out.activeBump = in.bumpDamping;
    out.bumpBreak = 0.0f;
  } else if (out.reboundBreak > 0.0f && in.velocity >= out.reboundBreak && out.reboundDamping > 0.0f) {
    out.activeRebound = out.reboundDamping;
    out.reboundBreak = 0.0f;
  }
  return out;
}

SpringConstants springConstantsFor(float timeScale) {
  SpringConstants c;
  c.forceScale = 27000.0f * timeScale;
  c.timeConstant = 5.5555556e-5f / timeScale;
  return c;
}

}  // namespace kvl::physics
