#include "plugin/foundation/clocks/step_timer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "plugin/foundation/clocks/game_clock_source.h"

namespace {

using kvl::StepTimer;

// A clock the test moves by hand, with a settable game state and replay speed.
class ManualClock : public kvl::GameClockSource {
 public:
  ManualClock() { kvl::setGameClockSource(this); }
  ~ManualClock() override { kvl::setGameClockSource(nullptr); }
  int64_t microseconds() const override { return now; }
  int gameState() const override { return state; }
  double replaySpeed() const override { return speed; }

  int64_t now = 1000000;
  int state = 1;
  double speed = 1.0;
};

TEST(StepTimer, PeriodFromRate) {
  struct Case {
    int rate;
    int64_t period;
  };
  const Case cases[] = {
      {720, 1388}, {144, 6944}, {60, 16666}, {7, 142857}, {1, 1000000}, {1000000, 1},
      {3000000, 1},  // faster than one step per microsecond: the shortest period
      {0, 0},        // no rate: a timer that never steps
      {-5, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepTimer(c.rate).period(), c.period) << c.rate;
    StepTimer t;
    EXPECT_EQ(t.setRate(c.rate), c.period) << c.rate;
  }
  StepTimer standard;
  EXPECT_EQ(standard.period(), 1388);
  EXPECT_EQ(standard.lastSteps(), 0);
  EXPECT_EQ(standard.reference(), 0);
}

// One call of advance: the time moves by `after` microseconds, then the expected outputs.
struct Step {
  int64_t after;
  int steps;
  int64_t consumed;
  int64_t remainder;
};

void runSteps(const char* name, int rate, int state, double speed, const std::vector<Step>& steps) {
  ManualClock clock;
  clock.state = state;
  clock.speed = speed;
  StepTimer timer(rate);
  int64_t lastReference = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    clock.now += s.after;
    int64_t consumed = -1, reference = -1, previous = -1, remainder = -1;
    int count = -1;
    double callRate = -1;
    const bool stepped = timer.advance(consumed, count, reference, previous, remainder, callRate);
    EXPECT_EQ(count, s.steps) << name << " call " << i;
    EXPECT_EQ(consumed, s.consumed) << name << " call " << i;
    EXPECT_EQ(remainder, s.remainder) << name << " call " << i;
    EXPECT_EQ(stepped, s.steps > 0) << name << " call " << i;
    EXPECT_EQ(reference, clock.now - remainder) << name << " call " << i;
    EXPECT_EQ(timer.reference(), reference) << name << " call " << i;
    if (i > 0) {
      EXPECT_EQ(previous, lastReference) << name << " call " << i;
    }
    lastReference = reference;
  }
}

TEST(StepTimer, AdvanceCarriesTheRest) {
  runSteps("first call starts", 720, 1, 1.0, {{0, 0, 0, 0}});
  runSteps("carry", 720, 1, 1.0, {{0, 0, 0, 0}, {1000, 0, 0, 1000}, {500, 1, 1388, 112}});
  runSteps("many steps", 720, 1, 1.0, {{0, 0, 0, 0}, {13880, 10, 13880, 0}, {1387, 0, 0, 1387}, {1, 1, 1388, 0}});
  runSteps("144 per second", 144, 1, 1.0, {{0, 0, 0, 0}, {7000, 1, 6944, 56}, {6900, 1, 6944, 12}});
  // Replay speed 0.5: one real second is half a second of game time, 360 steps; the rest is
  // carried as real time (0.5 s of game time leaves 160 us, 320 us of real time).
  runSteps("half speed replay", 720, 8, 0.5, {{0, 0, 0, 0}, {1000000, 360, 499680, 640}});
  runSteps("double speed replay", 720, 8, 2.0, {{0, 0, 0, 0}, {1000, 1, 1388, 306}});
  // Speeds within 0.0001 of 1, at or below 0 or not a number: real time.
  runSteps("speed near one", 720, 8, 1.00005, {{0, 0, 0, 0}, {1000000, 720, 999360, 640}});
  runSteps("speed zero", 720, 8, 0.0, {{0, 0, 0, 0}, {1000000, 720, 999360, 640}});
  runSteps("speed negative", 720, 8, -2.0, {{0, 0, 0, 0}, {1000000, 720, 999360, 640}});
  runSteps("speed NaN", 720, 8, std::numeric_limits<double>::quiet_NaN(), {{0, 0, 0, 0}, {1000000, 720, 999360, 640}});
  // The speed counts only in the replay state.
  runSteps("speed outside replay", 720, 1, 0.5, {{0, 0, 0, 0}, {1000000, 720, 999360, 640}});
  runSteps("clock going back", 720, 1, 1.0, {{0, 0, 0, 0}, {-500, 0, 0, 0}, {1388, 1, 1388, 0}});
  runSteps("no rate", 0, 1, 1.0, {{0, 0, 0, 0}, {1000000, 0, 0, 0}});
}

TEST(StepTimer, CallRate) {
  ManualClock clock;
  StepTimer timer;
  int64_t c, r, p, rem;
  int n;
  double rate = -1;
  timer.advance(c, n, r, p, rem, rate);
  EXPECT_EQ(rate, 0.0);
  clock.now += 2000;
  timer.advance(c, n, r, p, rem, rate);
  EXPECT_DOUBLE_EQ(rate, 500.0);
  clock.state = 8;
  clock.speed = 0.5;
  // 2000 us plus the 612 us carried from the step before, scaled to 1306 us of game time.
  clock.now += 2000;
  timer.advance(c, n, r, p, rem, rate);
  EXPECT_DOUBLE_EQ(rate, 1000000.0 / 1306);
}

TEST(StepTimer, PeriodSecondsCapsStalls) {
  ManualClock clock;
  StepTimer timer;
  EXPECT_EQ(timer.periodSeconds(), 0.0);
  EXPECT_EQ(timer.lastSteps(), 0);

  clock.now += 2776 + 100;
  EXPECT_DOUBLE_EQ(timer.periodSeconds(), 0.002776);
  EXPECT_EQ(timer.lastSteps(), 2);

  // 72 steps are 99936 us, within the limit.
  clock.now += 99936 - 100;
  EXPECT_DOUBLE_EQ(timer.periodSeconds(), 0.099936);
  EXPECT_EQ(timer.lastSteps(), 72);

  clock.now += 500000;
  EXPECT_EQ(timer.periodSeconds(), 0.1);
  EXPECT_EQ(timer.lastSteps(), 72);

  // The next call measures from the end of the stall (plus its carried rest).
  clock.now += 1388;
  EXPECT_DOUBLE_EQ(timer.periodSeconds(), 0.001388);
  EXPECT_EQ(timer.lastSteps(), 1);
}

TEST(StepTimer, DefaultSourceRunsOnThePerformanceClock) {
  kvl::setGameClockSource(nullptr);
  StepTimer timer(1000000);
  int64_t consumed = 0;
  int steps = 0;
  EXPECT_FALSE(timer.elapsedGameMicroseconds(consumed, steps));
  const int64_t start = timer.reference();
  EXPECT_GT(start, 0);
  while (kvl::gameClockSource().microseconds() < start + 10) {
  }
  EXPECT_TRUE(timer.elapsedGameMicroseconds(consumed, steps));
  EXPECT_GE(steps, 10);
  EXPECT_EQ(consumed, steps);
}

}  // namespace
