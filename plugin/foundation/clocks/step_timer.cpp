#include "plugin/foundation/clocks/step_timer.h"

#include <climits>
#include <cmath>

#include "plugin/foundation/maths/float_conversion.h"
#include "plugin/foundation/clocks/game_clock_source.h"

namespace kvl {

namespace {
constexpr int kDefaultRate = 720;
constexpr int kReplayState = 8;
constexpr int64_t kStallLimit = 100000;
constexpr int kStallSteps = 72;
}  // namespace

StepTimer::StepTimer() : StepTimer(kDefaultRate) {}

StepTimer::StepTimer(int rate) { setRate(rate); }

int64_t StepTimer::setRate(int rate) {
  if (rate <= 0) {
    period_ = 0;
  } else {
    period_ = 1000000 / static_cast<int64_t>(rate);
    if (period_ < 1) period_ = 1;
  }
  return period_;
}

bool StepTimer::advance(int64_t& consumed, int& steps, int64_t& reference, int64_t& previous, int64_t& remainder,
                        double& callRate) {
  const GameClockSource& source = gameClockSource();
  const int64_t now = source.microseconds();
  if (reference_ == 0) reference_ = now;
  previous = reference_;
  int64_t elapsed = now - reference_;
  reference_ = now;
  // A clock that went backwards gives no time.
  if (elapsed < 0) elapsed = 0;

  int64_t wholeSteps = 0;
  int64_t rest = 0;
  const double speed = source.gameState() == kReplayState ? source.replaySpeed() : 1.0;
  if (speed > 0.0 && std::fabs(speed - 1.0) > 0.0001) {
    elapsed = truncateToInteger<int64_t>(static_cast<double>(elapsed) * speed);
    if (period_ > 0) {
      wholeSteps = elapsed / period_;
      rest = elapsed % period_;
    }
    rest = truncateToInteger<int64_t>(static_cast<double>(rest) / speed);
  } else if (period_ > 0) {
    wholeSteps = elapsed / period_;
    rest = elapsed % period_;
  }
  if (wholeSteps > INT_MAX) wholeSteps = INT_MAX;

  steps = static_cast<int>(wholeSteps);
  consumed = wholeSteps * period_;
  reference_ -= rest;
  reference = reference_;
  remainder = rest;
  callRate = elapsed > 0 ? 1000000.0 / static_cast<double>(elapsed) : 0.0;
  return steps > 0;
}

bool StepTimer::elapsedGameMicroseconds(int64_t& consumed, int& steps) {
  int64_t reference = 0, previous = 0, remainder = 0;
  double callRate = 0.0;
  return advance(consumed, steps, reference, previous, remainder, callRate);
}

double StepTimer::periodSeconds() {
  int64_t consumed = 0;
  int steps = 0;
  elapsedGameMicroseconds(consumed, steps);
  if (consumed <= kStallLimit) {
    lastSteps_ = steps;
    return static_cast<double>(consumed) / 1000000.0;
  }
  lastSteps_ = kStallSteps;
  return 0.1;
}

StepTimer& StepTimer::instance() {
  static StepTimer* timer = new StepTimer(kDefaultRate);
  return *timer;
}

}  // namespace kvl
