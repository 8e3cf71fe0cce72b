#include "plugin/physics/models/drivetrain_model.h"

#include <algorithm>
#include <cmath>

namespace kvl::physics {

int Features::driveType() const {
  const int t = static_cast<int>(word & 0xFu);
  return t <= 7 ? t : 0;
}

int Features::differentialKind(int index) const {
  if (index < 0 || index > 2) return 0;
  const int k = static_cast<int>((word >> (4 + 4 * index)) & 0xFu);
  return k <= 5 ? k : 0;
}

float rearShareFor(int driveType, uint32_t torqueSplitPercent) {
  if (driveType != 7) return 0.5f;
  return std::min(1.0f, static_cast<float>(torqueSplitPercent) / 100.0f);
}

float axleShare(float value, int wheel, float rearShare) {
  return (wheel < 2 ? 1.0f - rearShare : rearShare) * value;
}

float handbrakeShareFor(float checkedPercentage) {
  return checkedPercentage > 0.0f ? checkedPercentage : 1.0f;
}

DrivelineCoefficients drivelineCoefficientsFor(float inertiaFront, float inertiaRear) {
  DrivelineCoefficients c;
  const float e = (inertiaFront + inertiaRear) / 0.2f;
  if (e > 0.0f) {
    c.first /= e;
    c.second /= e;
  }
  return c;
}

uint32_t initialBrakeTemperature(uint32_t thresholdLow, uint32_t thresholdMid) {
  return static_cast<uint32_t>((static_cast<uint64_t>(thresholdLow) + 2u * static_cast<uint64_t>(thresholdMid)) / 3u);
}

float applyDrivelineLoss(float torque, uint32_t lossPercent) {
  if (!(torque > 0.0f)) return torque;
  return torque * (1.0f - static_cast<float>(lossPercent) / 100.0f);
}

StarterOutput starterTorque(StarterState& state, const StarterInput& in) {
  StarterOutput out;
  out.charge = in.charge;
  out.engineSpeed = in.engineSpeed;
  const uint64_t elapsed = static_cast<uint64_t>(in.now - state.last);
  if (elapsed - 500001u > 1999999u || !in.requested) {
    if (!in.requested) state.last = in.now;
    return out;
  }
  if (!in.present) return out;
  float t = in.charge;
  const float w = in.engineSpeed;
  if (w > 0.75f * in.idle) {
    float factor = 1.0f - (w - 0.75f * in.idle) / (in.idle - 0.75f * in.idle);
    // Between idle and 0.75 idle the factor runs from 0 to 1; beyond idle (or with no idle
    // speed) the starter gives nothing rather than a negative or infinite torque.
    factor = std::isnan(factor) ? 0.0f : std::clamp(factor, 0.0f, 1.0f);
    t = factor * t;
  }
  out.unscaled = t;
  out.charge = std::max(0.0f, in.charge - in.drainFactor * 0.02f * t * in.dt);
  out.torque = 80.0f * t;
  if (out.torque > 0.0f && std::fabs(w) < 0.001f) out.engineSpeed = 0.001f;
  return out;
}

float aeroConfigurationFactor(int32_t configuration) {
  switch (configuration) {
    case 1: return 0.5f;
    case 2: return 0.0f;
    default: return 1.0f;
  }
}

Downforce downforceFor(const DownforceInput& in) {
  Downforce d;
  float front = in.front;
  float rear = in.rear;
  if ((front == 0.0f && rear == 0.0f) || in.speed == 0.0f) return d;
  if (in.speed < 0.0f) {
    if (front > 0.0f) front *= -0.5f;
    if (rear > 0.0f) rear *= -0.5f;
  }
  const float r = in.speed / 41.666668f;
  d.k = r * r;
  d.frontForce = -d.k * front * in.densityRatio;
  d.rearForce = -d.k * rear * in.densityRatio;
  d.verticalForce = d.frontForce + d.rearForce;
  d.pitchMoment = d.frontForce * in.frontPosition * 0.5f + d.rearForce * in.rearPosition * 0.5f;
  return d;
}

}  // namespace kvl::physics
