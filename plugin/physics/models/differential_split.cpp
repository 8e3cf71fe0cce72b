#include "plugin/physics/models/differential_split.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "plugin/physics/models/differential_model.h"
#include "plugin/physics/models/drivetrain_model.h"
#include "plugin/physics/models/drivetrain_solver.h"
#include "plugin/physics/models/float_sign.h"
#include "plugin/physics/models/wheel_lock_solver.h"

namespace kvl::physics {

SplitSide splitSide(const SplitWheel& w, int wheel, float axleDrive, float rearShare) {
  SplitSide side;
  const float t = w.drive;
  side.a = std::fabs(t * w.speed);
  const float y = (w.handbrake - w.inertia * w.acceleration) * t;
  float s = 0.0f;
  if (t * w.direction != 0.0f) {
    s = static_cast<float>(-signOrZero(t * w.direction));
  } else if (t * w.speed != 0.0f) {
    s = static_cast<float>(-signOrZero(t * w.speed));
  } else {
    s = static_cast<float>(-signOrZero(axleShare(axleDrive, wheel, rearShare) + y));
  }
  side.b = w.aux ? std::fabs(s * w.lockedTorque + y) : std::fabs(-t * w.acceleration * w.inertia);
  return side;
}

DifferentialLocks differentialLocks(float throttlePoint0, float brakePoint0) {
  return {biasRatio(throttlePoint0), biasRatio(brakePoint0), throttlePoint0};
}

namespace {

float& fw(AxleSolverState& s, int i) { return *reinterpret_cast<float*>(&s.words[i]); }
int32_t& iw(AxleSolverState& s, int i) { return *reinterpret_cast<int32_t*>(&s.words[i]); }

bool locked(AxleSolverState& s, int w) { return iw(s, 50 * w + 41) != 0; }
bool validWheel(int w) { return w >= 0 && w <= 3; }
bool validAxle(int a) { return a >= 0 && a <= 2; }

void countChange(AxleSolverState& s, int counter) {
  if (iw(s, 367) == 0) ++iw(s, counter);
  iw(s, 367) = 1;
}

// Rebuilds the axle's 2 x 2 matrix and its inverse; false when it is singular (the axle is then
// left free).
bool rebuildMatrix(AxleSolverState& s, const AxleStatics& st, int a) {
  const int b = st.wheels[a][0], c = st.wheels[a][1];
  const bool anyLocked = locked(s, b) || locked(s, c);
  iw(s, 317 + a) = (iw(s, 5 * a + 5) == 0 && anyLocked) ? 1 : 0;
  for (int w : {b, c}) {
    const int slot = w & 1;
    const int x = st.axle[w];
    const float m = st.radiusWeight[x] * st.factor[w];
    const float inertia = fw(s, 50 * w + 45);
    float diagonal = m != 0.0f ? inertia / m : 0.0f;
    if (locked(s, w)) diagonal += fw(s, 280) * 0.5f * m;
    fw(s, 284 + 2 * slot) = diagonal;
    fw(s, 285 + 2 * slot) = iw(s, 317 + x) != 0 ? (locked(s, w) ? 1.0f : 0.0f) : 0.5f * inertia;
  }
  const float m[4] = {fw(s, 284), fw(s, 285), fw(s, 286), fw(s, 287)};
  float inverse[4];
  iw(s, 367) = 0;
  ++iw(s, 360);
  if (!invert2x2(m, inverse)) {
    iw(s, 317 + a) = 1;
    return false;
  }
  for (int i = 0; i < 4; ++i) fw(s, 288 + i) = inverse[i];
  return true;
}

void wheelOutput(AxleSolverState& s, const AxleStatics& st, int w) {
  const int x = st.axle[w];
  if (!locked(s, w)) {
    fw(s, 332 + w) = 0.0f;
    return;
  }
  const float h = st.aux[w] ? st.handbrake[w] - static_cast<float>(iw(s, 50 * w + 41)) * fw(s, 50 * w + 62) : 0.0f;
  fw(s, 332 + w) = st.driveFlag[x] * fw(s, 223) * (st.radiusWeight[x] * 0.5f * st.factor[w]) + (h - fw(s, 5 * x + 7));
}

void lockTest(AxleSolverState& s, const AxleStatics& st, int w) {
  if (locked(s, w)) {
    s.hold[w] = 0;
    return;
  }
  const int x = st.axle[w];
  const float f = st.driveFlag[x];
  const float u = (f * fw(s, 223) - f * *s.scratchDrive * fw(s, 280)) * 0.5f * st.radiusWeight[x] * st.factor[w] -
                  fw(s, 5 * x + 7);
  const float hb = st.aux[w] ? st.handbrake[w] : 0.0f;
  const float lockedTorque = st.aux[w] ? fw(s, 50 * w + 62) : 0.0f;
  const int direction = wheelLockDirection(u, hb, lockedTorque);
  if (direction == 0) {
    s.hold[w] = 0;
    return;
  }
  iw(s, 50 * w + 41) = direction;
  fw(s, 50 * w + 40) = 1.0f;
  s.hold[w] = st.factorBits[w];
  countChange(s, 361);
}

// The axle's sums from its wheels.
void sumAxle(AxleSolverState& s, const AxleStatics& st, int a) {
  const int b = st.wheels[a][0], c = st.wheels[a][1];
  fw(s, 5 * a + 4) = fw(s, 50 * b + 37) + fw(s, 50 * c + 37);
  fw(s, 5 * a + 3) = (fw(s, 50 * c + 37) * st.factor[c] + fw(s, 50 * b + 37) * st.factor[b]) * st.radiusWeight[a] * 0.5f;
  const int sign = signOrZero(fw(s, 5 * a + 4));
  iw(s, 5 * a + 5) = sign != 0 ? sign : signOrZero(static_cast<float>(iw(s, 50 * b + 41) + iw(s, 50 * c + 41)));
}

// The axle's sums, then its locked wheels turning against their lock released; true when one was.
bool resum(AxleSolverState& s, const AxleStatics& st, int a) {
  const int b = st.wheels[a][0], c = st.wheels[a][1];
  sumAxle(s, st, a);
  bool released = false;
  for (int w : {b, c}) {
    const int direction = iw(s, 50 * w + 41);
    if (direction != 0 && signOrZero(fw(s, 50 * w + 37)) != direction && s.hold[w] == 0) {
      fw(s, 50 * w + 37) = 0.0f;
      iw(s, 50 * w + 41) = 0;
      released = true;
    }
  }
  return released;
}

}  // namespace

void solveAxle(AxleSolverState& s, const AxleStatics& st, int a, float dt, AxleSolveHost& host) {
  if (a != 1 && a != 2) return;
  const int b = st.wheels[a][0], c = st.wheels[a][1];
  if (!validWheel(b) || !validWheel(c) || !validAxle(st.axle[b]) || !validAxle(st.axle[c])) return;
  const float fa = st.driveFlag[a];
  if (iw(s, 367) != 0) rebuildMatrix(s, st, a);
  if (locked(s, b) || locked(s, c)) {
    float p = 0.0f, q = 0.0f;
    for (int round = 0; round < 5; ++round) {
      fw(s, 5 * a + 7) = static_cast<float>(iw(s, 5 * a + 5)) * fw(s, 5 * a + 6);
      wheelOutput(s, st, b);
      wheelOutput(s, st, c);
      p = fw(s, 332 + c) * fw(s, 289) + fw(s, 332 + b) * fw(s, 288);
      q = fw(s, 332 + c) * fw(s, 291) + fw(s, 332 + b) * fw(s, 290);
      s.scratch[0] = p;
      s.scratch[a] = q;
      if (iw(s, 317 + a) == 0 || fw(s, 5 * a + 6) >= std::fabs(q)) break;
      iw(s, 5 * a + 5) = signOrZero(q);
      ++iw(s, 363);
      rebuildMatrix(s, st, a);
    }
    if (iw(s, 317 + a) != 0) {
      fw(s, 5 * a + 7) = q;
      q = 0.0f;
    }
    *s.scratchDrive = 0.0f;
    lockTest(s, st, b);
    lockTest(s, st, c);
    *s.scratchDrive = fa * p;
    fw(s, 5 * a + 3) += p * dt;
    fw(s, 5 * a + 4) += q * dt;
    // The sum and the sign it is compared with go to 0, as in the host's own centre balance;
    // the axle keeps its torque.
    if (signOrZero(fw(s, 5 * a + 4)) != iw(s, 5 * a + 5)) {
      fw(s, 5 * a + 4) = 0.0f;
      iw(s, 5 * a + 5) = 0;
      countChange(s, 364);
    }
    for (int w : {b, c}) {
      if (locked(s, w) && s.hold[w] == 0 && st.radiusWeight[a] != 0.0f) {
        fw(s, 50 * w + 37) = fw(s, 5 * a + 3) * st.factor[w] / st.radiusWeight[a] + 0.5f * fw(s, 5 * a + 4);
      }
    }
    for (int pass = 0; pass < kMaxWheelLockPasses && resum(s, st, a); ++pass) {
    }
  } else {
    *s.scratchDrive = 0.0f;
    fw(s, 5 * a + 7) = 0.0f;
    lockTest(s, st, b);
    lockTest(s, st, c);
    // Only the sums: a wheel the lock test has just locked stays locked for this step.
    sumAxle(s, st, a);
  }
  fw(s, 225) = fa * fw(s, 5 * a + 3);
  for (int w : {b, c}) {
    if (st.aux[w] && dt != 0.0f) {
      const float old = fw(s, 50 * w + 25);
      fw(s, 50 * w + 25) = fw(s, 50 * w + 37);
      fw(s, 50 * w + 29) = static_cast<float>(iw(s, 50 * w + 41));
      fw(s, 50 * w + 21) = (fw(s, 50 * w + 37) - old) / dt;
    } else if (!st.aux[w]) {
      host.wheelStep(w, dt);
    }
    host.wheelStep(w < 2 ? w + 2 : w - 2, dt);
  }
}

}  // namespace kvl::physics
