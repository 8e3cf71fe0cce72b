#pragma once

namespace kvl::physics {

// Differential kinds of the Features word.
enum DifferentialKind { kDiffNone = 0, kDiffHost = 1, kDiffOpen = 2, kDiffLocked = 3, kDiffTorqueBiasing = 4, kDiffViscous = 5 };

// A lock value (map point 0) capped at 0.99.
float cappedLock(float lock);
// The torque bias ratio (1 + L) / (1 - L) of the capped lock, at least 1.
float biasRatio(float lock);

// A torque-biasing differential's locking torque for the torques of its two sides.
float torqueBiasingLock(float sideA, float sideB, float bias, float preload);
// A viscous differential's locking torque: grows as the root of the speed difference (up to 100).
float viscousLock(float speedDifference, float maxTorque, float lock, float preload);

struct DifferentialInput {
  int kind = kDiffNone;
  float current = 0.0f;          // the locking torque the host left (kind 1 keeps it)
  float sideA = 0.0f;            // b of the two sides
  float sideB = 0.0f;
  float bias = 1.0f;
  float preload = 0.0f;
  float speedDifference = 0.0f;
  float maxTorque = 0.0f;
  float uncappedLock = 0.0f;     // throttle map point 0 as loaded (viscous)
  bool idle = false;             // no side carries any drive (all below 2^-23)
};
float differentialLock(const DifferentialInput& in);

// The inverse of the 2 x 2 matrix (a b; c d), row by row; false (and the input kept) when the
// determinant is 0 or not finite.
bool invert2x2(const float m[4], float inverse[4]);

}  // namespace kvl::physics
