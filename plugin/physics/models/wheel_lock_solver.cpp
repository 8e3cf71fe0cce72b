#include "plugin/physics/models/wheel_lock_solver.h"

#include <atomic>
#include <cmath>
#include <initializer_list>

#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/float_sign.h"

namespace kvl::physics {
namespace {

std::atomic<int> capHits{0};

bool validAxle(int a) { return a >= 0 && a <= 2; }
bool validWheel(int w) { return w >= 0 && w <= 3; }

// e x g x 0.5 of a wheel: its axle's radius weight x its factor, and the axle's drive flag x the
// centre ratio.
float driveShare(const DrivetrainWords& d, const DrivetrainWheel& w, int index, float rearShare) {
  const DrivetrainAxle& a = d.axle[w.axle];
  const float e = a.radiusWeight * w.factor;
  const float g = a.driveFlag * d.axle[0].radiusWeight;
  return axleShare(e * g * 0.5f, index, rearShare);
}

void markChanged(DrivetrainWords& d, int32_t& counter) {
  if (!d.solveAgain) ++counter;
  d.solveAgain = 1;
}

// The free wheel of an axle with one wheel counted.
const DrivetrainWheel* freeWheel(const DrivetrainWords& d, const DrivetrainAxle& a) {
  for (int32_t w : a.wheels) {
    if (validWheel(w) && d.wheel[w].direction == 0) return &d.wheel[w];
  }
  return nullptr;
}

}  // namespace

void lockedAxleOutput(DrivetrainWords& d, int index, float rearShare) {
  DrivetrainWheel& w = d.wheel[index];
  if (w.direction == 0 || !validAxle(w.axle)) {
    w.output = 0.0f;
    return;
  }
  const DrivetrainAxle& a = d.axle[w.axle];
  const float e = a.radiusWeight * w.factor;
  const float h = w.hasHandbrake ? w.handbrake - static_cast<float>(w.direction) * w.lockedTorque : 0.0f;
  w.output = driveShare(d, w, index, rearShare) * d.engineTorque + (h - a.spin - e * 0.5f * d.axle[0].spin);
}

void axleLockTest(DrivetrainWords& d, int index, float rearShare) {
  DrivetrainWheel& w = d.wheel[index];
  if (w.direction != 0 || !validAxle(w.axle)) {
    w.hold = 0;
    return;
  }
  const DrivetrainAxle& a = d.axle[w.axle];
  const float e = a.radiusWeight * w.factor;
  const float u = driveShare(d, w, index, rearShare) * (d.engineTorque - d.driveline * d.scratchDrive) -
                  (e * 0.5f * d.axle[0].spin + a.spin);
  const float hb = w.hasHandbrake ? w.handbrake : 0.0f;
  const float f = w.hasHandbrake ? w.lockedTorque : 0.0f;
  if (!(u < -(hb + f) || u > f - hb)) {
    w.hold = 0;
    return;
  }
  w.direction = u <= f - hb ? -1 : 1;
  w.hold = w.factorBits;
  w.lockFlag = 1.0f;
  markChanged(d, d.locks);
}

void spreadAxle(DrivetrainWords& d, int index) {
  const DrivetrainAxle& a = d.axle[index];
  if (a.radiusWeight == 0.0f) return;
  for (int32_t i : a.wheels) {
    if (!validWheel(i)) continue;
    DrivetrainWheel& w = d.wheel[i];
    if (w.direction == 0) continue;
    float x = w.factor / a.radiusWeight * a.torque + 0.5f * a.sum;
    if (x == 0.0f || signOrZero(x) != w.direction) x = 0.0f;
    w.value = x;
  }
}

int solveWheelLocks(DrivetrainWords& d, AxleTest& host) {
  DrivetrainAxle& centre = d.axle[0];
  DrivetrainAxle& front = d.axle[1];
  DrivetrainAxle& rear = d.axle[2];
  for (int pass = 1; pass <= kMaxWheelLockPasses; ++pass) {
    int count[3] = {0, 0, 0};
    bool changed[3] = {false, false, false};
    for (DrivetrainWheel& w : d.wheel) {
      if (!validAxle(w.axle)) continue;
      if (w.direction != 0 && w.value != 0.0f && signOrZero(w.value) == w.direction) continue;
      if (w.direction != 0) {
        if (w.hold != 0) continue;
        w.value = 0.0f;
        w.direction = 0;
        changed[w.axle] = true;
      }
      ++count[w.axle];
    }
    for (int k = 1; k <= 2; ++k) {
      if (host.test(k)) {
        ++count[k];
        changed[k] = true;
      }
    }
    if (!changed[0] && !changed[1] && !changed[2]) return pass;
    markChanged(d, d.changedPasses);

    for (int k = 1; k <= 2; ++k) {
      DrivetrainAxle& a = d.axle[k];
      if (!changed[k] || count[k] != 1 || !validWheel(a.wheels[0]) || !validWheel(a.wheels[1])) continue;
      const DrivetrainWheel& r = d.wheel[a.wheels[0]];
      const DrivetrainWheel& l = d.wheel[a.wheels[1]];
      a.sum = r.value + l.value;
      if (signOrZero(a.sum) == a.sign) {
        a.torque = (r.value * r.factor + l.value * l.factor) * 0.5f * a.radiusWeight;
      } else {
        a.torque = a.sum = 0.0f;
        a.sign = 0;
        if (host.test(k)) count[k] = 2;
      }
    }

    const float ratio = centre.radiusWeight;
    const float l = front.driveFlag, m = rear.driveFlag;
    const float e = ratio * 0.5f * (l * front.torque + m * rear.torque);
    if (std::fabs(e) <= std::fabs(centre.torque)) {
      centre.torque = e;
      centre.sum = front.torque + rear.torque;
      if (signOrZero(centre.sum) != centre.sign) centre.sum = 0.0f, centre.sign = 0;
    } else if (count[1] == 2 && count[2] == 2) {
      for (DrivetrainAxle* a : {&centre, &front, &rear}) {
        a->torque = a->sum = 0.0f;
        a->sign = 0;
      }
    } else if (ratio == 0.0f) {
      // Without a centre ratio the axles cannot be balanced through the centre: they stay free.
    } else if (count[1] == 2 || count[2] == 2) {
      const bool frontHeld = count[1] == 2;
      centre.sum = -2.0f * centre.torque / ratio * (frontHeld ? l : m);
      if (signOrZero(centre.sum) != centre.sign) {
        centre.torque = centre.sum = 0.0f;
        centre.sign = 0;
      }
      DrivetrainAxle& other = frontHeld ? rear : front;
      other.torque = (frontHeld ? m : l) / ratio * centre.torque + 0.5f * centre.sum;
      spreadAxle(d, frontHeld ? 2 : 1);
    } else {
      for (int k = 1; k <= 2; ++k) {
        DrivetrainAxle& a = d.axle[k];
        a.torque = (k == 1 ? l : m) / ratio * centre.torque + 0.5f * centre.sum;
        const DrivetrainWheel* free = count[k] == 1 ? freeWheel(d, a) : nullptr;
        if (free != nullptr && a.radiusWeight != 0.0f) a.sum = -2.0f * free->factor / a.radiusWeight * a.torque;
        spreadAxle(d, k);
      }
    }
  }
  capHits.fetch_add(1, std::memory_order_relaxed);
  return kMaxWheelLockPasses + 1;
}

int wheelLockCapHits() { return capHits.load(std::memory_order_relaxed); }

}  // namespace kvl::physics
