#include "plugin/physics/models/engine_model.h"

#include <algorithm>
#include <cmath>

#include "plugin/physics/models/float_sign.h"

namespace kvl::physics {

EngineConstants engineConstantsFor(const EngineSetupValues& v) {
  EngineConstants c;
  c.maxTorque = static_cast<float>(v.maxTorque);
  c.engineBrakeCoefficient = static_cast<float>(v.brakeCoefficient) / 100.0f;
  if (v.flags & kEngineModelBit) {
    if (v.idleRpm > 0) {
      const float i = static_cast<float>(v.idleRpm);
      c.idle = i * kRpmToRadPerSecond;
      c.upperIdleBand = 0.95f * i * kRpmToRadPerSecond;
      c.lowerIdleBand = 0.85f * i * kRpmToRadPerSecond;
      c.stallThreshold = c.idle * 0.5f;
      c.constantF = c.idle * 0.75f;
      c.idleBandRpm = c.idle * 0.75f / kRpmToRadPerSecond;
      c.constantG = c.idle * 0.375f;
    }
    c.constantA = c.maxTorque * 3.0f;
    c.constantH = c.maxTorque * 1.3f;
    c.constantJ = c.constantH * 10.0f;
    if (v.revLimitRpm > 0.0f) {
      const float u = v.revLimitRpm / 8000.0f;
      c.constantB = 500.0f * u;
      c.constantC = 3500.0f * u;
      c.constantD = 0.00022222222f / u;
    }
    c.constantE = 25.0f;
    c.heatConstant = v.dissipatedHeatFraction * 26433122.0f;
    if (v.wasteGateMinimum > 0.0f) c.wasteGateMinimum = v.wasteGateMinimum;
    if (v.wasteGateMaximum > 0.0f) c.wasteGateMaximum = v.wasteGateMaximum;
  }
  c.idleBandSlope = -1.0f / (c.upperIdleBand - c.lowerIdleBand);
  return c;
}

float revLimitRadPerSecond(float revLimitRpm) {
  const float rpm = revLimitRpm > 0.0f ? revLimitRpm : kDefaultRevLimitRpm;
  return rpm * kRpmToRadPerSecond;
}

void buildTorqueCurve(float speedsRpm[16], const float torques[16], LinearSpline& curve) {
  curve.clear();
  for (int n = 0; n < 16; ++n) {
    speedsRpm[n] = speedsRpm[n] * kRpmToRadPerSecond;
    if (n == 0 || torques[n] > 0.0f) curve.pushBack(speedsRpm[n], torques[n]);
  }
}

float inletFlowScale(float inletPipeArea, float cylinderVolume) {
  return inletPipeArea * cylinderVolume / 9.1e-7f;
}

float engineConditionFactor(const float wear[4], float d84, float d88, float d92, float d96) {
  double sum = 0.0;
  for (int i = 0; i < 4; ++i) {
    const double v = wear[i];
    if (v <= 0.7) sum += std::min(0.25, std::max(0.0, (1.0 - v / 0.7) * 0.25));
  }
  const double loss = (1.0 - d88) * 0.05 + d84 * 0.1 + d96 * 0.1 + (1.0 - d92) * 0.1;
  return static_cast<float>(sum * (1.0 - loss));
}

bool overRevStep(EngineHealth& engine, float speed, float limit, float dt) {
  if (!engine.running) return false;
  if (std::fabs(speed) > 1.05f * limit) engine.health -= 0.05f * dt;
  if (engine.health < 0.101f) {
    engine.running = 0;
    return true;
  }
  return false;
}

void StallWindow::reset() {
  speeds_.fill(0.0f);
  next_ = 0;
}

void StallWindow::push(float speed) {
  speeds_[next_] = speed;
  next_ = (next_ + 1) % kLength;
}

bool StallWindow::allAtOrBelow(float threshold) const {
  return std::all_of(speeds_.begin(), speeds_.end(), [threshold](float s) { return s <= threshold; });
}

float engineTorque(const EngineStepInput& in, const EngineConstants& c, const LinearSpline* curve,
                   StallWindow& window) {
  float t = in.hostTorque;
  if (in.running && in.ignition) {
    const float s = std::min(in.limit, std::fabs(in.speed));
    const float sg = static_cast<float>(signOrZero(in.speed));
    const float signedSpeed = sg * s;
    const float e = -(signedSpeed / in.limit) * c.engineBrakeCoefficient * c.maxTorque;
    if ((in.flags & kEngineStallBit) && curve != nullptr) {
      window.push(in.speed);
      if (window.allAtOrBelow(c.stallThreshold) && c.stallThreshold > in.speed) {
        t = -sg * 0.1f * c.maxTorque;
        if (in.hostTypeBit0) t *= 0.5f;
        return t / 1.05f;
      }
      float q = static_cast<float>(curve->evaluate(signedSpeed)) * in.conditionFactor * in.densityRatio * c.maxTorque;
      if (in.torqueCutActive) q *= in.torqueCut > 0.0f ? in.torqueCut : 0.5f;
      q -= sg * in.frictionTorque;
      const float j = in.conditionFactor * in.densityRatio * 0.05f * c.maxTorque;
      const float w = (in.speed < std::min(104.71976f, 0.95f * c.idle) && j < q) ? j : q;
      if (c.idle > in.speed) {
        t = w + e;
      } else {
        t = (1.0f - in.throttle) * e + (in.speed > in.limit ? 0.0f : q) * in.throttle;
      }
    } else if (in.flags & kEngineModelBit) {
      t = (1.0f - in.throttle) * e + t;
    }
  }
  return t / 1.05f;
}

}  // namespace kvl::physics
