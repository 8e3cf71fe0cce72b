#pragma once
#include <cstdint>

namespace kvl {

// Turns the real time elapsed since the last call into whole fixed-length steps and carries the
// rest over to the next call. While the host plays a replay at another speed, elapsed time is
// scaled by that speed first. A timer belongs to one thread.
class StepTimer {
 public:
  // 720 steps per second.
  StepTimer();
  // rate steps per second; the period is 1,000,000 / rate microseconds (integer division, at
  // least 1). A rate of 0 or less gives a timer that never steps.
  explicit StepTimer(int rate);

  // Sets the period from the rate as the constructor does and returns it.
  int64_t setRate(int rate);

  // Measures the time since the last call. Outputs: the game time consumed by whole steps, the
  // steps, the new reference, the previous reference, the time carried to the next call and the
  // rate of calls per second (0 when no time elapsed). The first call only starts the timer.
  // Returns whether at least one step elapsed.
  bool advance(int64_t& consumed, int& steps, int64_t& reference, int64_t& previous, int64_t& remainder,
               double& callRate);

  // advance with only the consumed time and the steps.
  bool elapsedGameMicroseconds(int64_t& consumed, int& steps);

  // The seconds of game time to simulate now: the consumed time, or 0.1 with 72 steps recorded
  // after a stall of more than a tenth of a second (the time beyond it is dropped).
  double periodSeconds();

  int64_t reference() const { return reference_; }
  int64_t period() const { return period_; }
  int lastSteps() const { return lastSteps_; }

  // The 720-per-second timer of the host frame step; never destroyed.
  static StepTimer& instance();

 private:
  int64_t reference_ = 0;
  int64_t period_ = 0;
  int lastSteps_ = 0;
};

}  // namespace kvl
