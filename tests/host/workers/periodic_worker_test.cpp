// The worker's pacing, host-frame handshake and stop logic, with a worker whose step, decision
// and clock the test controls. Nothing here depends on how fast the machine runs: the elapsed
// time a step receives comes from the test's own clock, and the test waits for the steps
// themselves (a minute at most, against a hang).
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/workers/periodic_worker.h"

using kvl::host::PeriodicWorker;
using namespace std::chrono_literals;

namespace {

constexpr auto kHangGuard = 120s;
constexpr std::int64_t kPeriod = 1388;  // 1000000 / 720

std::int32_t hostStateNow = 0;
std::int32_t readHostState() { return hostStateNow; }

std::atomic<std::int64_t> clockMicros{1000000};
std::int64_t readClock() { return clockMicros.load(); }

class FakeWorker : public PeriodicWorker {
 public:
  // Returns once the worker's thread runs its loop (its start-up may take long on a slow machine:
  // the handshake under test starts from a running loop, as in the host).
  explicit FakeWorker(std::int32_t rate) : PeriodicWorker(rate, &readHostState, &readClock) {
    start();
    if (hasThread()) {
      EXPECT_TRUE(runOnWorkerAndWait([] {}, kHangGuard));
    }
  }
  ~FakeWorker() override { stop(); }

  void step(std::int64_t elapsed, std::int32_t periods) override {
    if (std::this_thread::get_id() != workerThread.load() && workerThread.load() != std::thread::id()) wrongThread = true;
    workerThread.store(std::this_thread::get_id());
    if (onStep) onStep(*this);
    {
      std::lock_guard<std::mutex> lock(mutex);
      steps.push_back({elapsed, periods});
    }
    stepped.notify_all();
    if (hold.load()) {
      holding = true;
      while (hold.load()) std::this_thread::sleep_for(1ms);
      holding = false;
    }
  }
  bool shouldRun() override { return wanted.load(); }

  int stepCount() {
    std::lock_guard<std::mutex> lock(mutex);
    return static_cast<int>(steps.size());
  }
  std::pair<std::int64_t, std::int32_t> stepAt(int i) {
    std::lock_guard<std::mutex> lock(mutex);
    return steps.at(static_cast<std::size_t>(i));
  }
  // Waits until the steps match (or the hang guard passes); true when they did.
  template <typename Pred>
  bool waitForSteps(Pred pred) {
    std::unique_lock<std::mutex> lock(mutex);
    return stepped.wait_for(lock, kHangGuard, [&] { return pred(steps); });
  }
  bool waitForStepCount(int n) {
    return waitForSteps([n](const auto& s) { return static_cast<int>(s.size()) >= n; });
  }

  std::atomic<bool> wanted{false};
  std::atomic<bool> hold{false};
  std::atomic<bool> holding{false};
  std::atomic<bool> wrongThread{false};
  std::atomic<std::thread::id> workerThread{};
  void (*onStep)(FakeWorker&) = nullptr;

  std::mutex mutex;
  std::condition_variable stepped;
  std::vector<std::pair<std::int64_t, std::int32_t>> steps;  // elapsed, periods: every step so far
};

// Waits for a condition polled on the calling thread (or the hang guard).
template <typename Pred>
bool eventually(Pred pred) {
  const auto until = std::chrono::steady_clock::now() + kHangGuard;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

}  // namespace

TEST(PeriodicWorker, RateZeroOrLessNeverStarts) {
  for (std::int32_t rate : {0, -5}) {
    FakeWorker worker(rate);
    worker.wanted = true;
    EXPECT_FALSE(worker.hasThread()) << rate;
    for (int frame = 0; frame < 3; ++frame) EXPECT_FALSE(worker.syncTick()) << rate;
    EXPECT_EQ(worker.stepCount(), 0) << rate;
    worker.stop();
    worker.stop();
  }
}

// The elapsed time of each step is whole periods of the worker's clock since the last one, the
// rest carried to the next; the first step after every start is one period, whatever the clock
// says.
TEST(PeriodicWorker, StepsGetWholePeriodsOfTheClockAndTheFirstOneAfterAStartGetsOne) {
  FakeWorker worker(720);
  ASSERT_TRUE(worker.hasThread());
  EXPECT_FALSE(worker.syncTick());  // not wanted: the host steps inline
  EXPECT_EQ(worker.stepCount(), 0);

  clockMicros += 50 * kPeriod;  // time before the start counts for nothing
  worker.wanted = true;
  EXPECT_TRUE(worker.syncTick());  // returns once the first step has completed
  ASSERT_GE(worker.stepCount(), 1);
  EXPECT_EQ(worker.stepAt(0), std::make_pair(kPeriod, 1));
  EXPECT_TRUE(worker.isRunning());

  // The clock standing still, the steps that follow get nothing; a stall of five periods and a
  // bit reaches one step as five periods, and the bit completes the next period.
  const struct {
    std::int64_t advance;
    std::pair<std::int64_t, std::int32_t> step;
  } kCases[] = {{5 * kPeriod + 100, {5 * kPeriod, 5}}, {kPeriod - 100, {kPeriod, 1}}, {kPeriod - 1, {0, 0}},
                {2, {kPeriod, 1}}};
  for (const auto& c : kCases) {
    const int from = worker.stepCount();
    clockMicros += c.advance;
    // A step recorded after this count began after the advance, so it and every step from then
    // on read the new clock; the steps before may have read the old one.
    const int after = worker.stepCount();
    ASSERT_TRUE(worker.waitForStepCount(after + 2));
    std::int64_t periods = 0;
    for (int i = from; i < worker.stepCount(); ++i) {
      const auto s = worker.stepAt(i);
      EXPECT_EQ(s.first, s.second * kPeriod);
      if (s.second != 0) {
        EXPECT_EQ(s, c.step) << c.advance;
        periods += s.second;
      }
    }
    EXPECT_EQ(periods, c.step.second) << c.advance;
    EXPECT_TRUE(worker.syncTick());  // later frames only synchronise
  }
  EXPECT_FALSE(worker.wrongThread.load());
  EXPECT_NE(worker.workerThread.load(), std::this_thread::get_id());

  worker.wanted = false;
  EXPECT_FALSE(worker.syncTick());  // only after the worker acknowledged
  EXPECT_FALSE(worker.isRunning());
  EXPECT_FALSE(worker.isStepping());
  // The acknowledging tick re-armed nothing: a trip through the worker's loop adds no step.
  const int stepsAtStop = worker.stepCount();
  EXPECT_TRUE(worker.runOnWorkerAndWait([] {}, kHangGuard));
  EXPECT_EQ(worker.stepCount(), stepsAtStop);

  // Wanted again long after: a fresh start, again one period first.
  clockMicros += 1000 * kPeriod + 7;
  worker.wanted = true;
  EXPECT_TRUE(worker.syncTick());
  ASSERT_GT(worker.stepCount(), stepsAtStop);
  EXPECT_EQ(worker.stepAt(stepsAtStop), std::make_pair(kPeriod, 1));
}

TEST(PeriodicWorker, WorkPostedByAStepRunsOnTheHostThreadAtItsNextFrame) {
  static std::atomic<int> posted{0};
  static std::vector<std::thread::id> ranOn;
  static std::atomic<int> runs{0};
  posted = 0;
  runs = 0;
  ranOn.clear();
  FakeWorker worker(720);
  worker.onStep = [](FakeWorker& self) {
    if (posted.fetch_add(1) < 3) self.postToHost([] {
        ranOn.push_back(std::this_thread::get_id());
        ++runs;
      });
  };
  worker.wanted = true;
  ASSERT_TRUE(worker.syncTick());
  EXPECT_TRUE(eventually([&] {
    worker.syncTick();
    return runs.load() >= 3;
  }));
  EXPECT_EQ(runs.load(), 3);
  for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());
}

// A step hands work to the host; it has reached the host's queue when an INITIALIZE_TRACK event
// comes before the host's next frame. Without the event the frame runs it; with it, it is
// dropped unrun.
TEST(PeriodicWorker, AnInitializeTrackEventDropsWorkQueuedForTheHost) {
  static std::atomic<int> runs{0};
  static std::atomic<bool> postNext{false};
  for (const bool event : {false, true}) {
    runs = 0;
    FakeWorker worker(720);
    worker.onStep = [](FakeWorker& self) {
      if (!postNext.exchange(false)) return;
      self.postToHost([] { ++runs; });
      self.hold = true;  // this step ends when the test says
    };
    worker.wanted = true;
    ASSERT_TRUE(worker.syncTick());
    postNext = true;
    ASSERT_TRUE(eventually([&] { return worker.holding.load(); }));
    // The host's frame drains its queue while the step still runs: the work is not in it yet.
    EXPECT_TRUE(worker.syncTick());
    EXPECT_EQ(runs.load(), 0);
    // The step ends; its tick hands the work over to the host's (drained) queue, and the next
    // step's start shows that it has.
    const int held = worker.stepCount();
    worker.hold = false;
    ASSERT_TRUE(worker.waitForStepCount(held + 1));
    if (event) worker.onGameStateChanged(13);
    worker.onGameStateChanged(12);  // another state drops nothing
    worker.syncTick();
    worker.syncTick();
    EXPECT_EQ(runs.load(), event ? 0 : 1) << (event ? "with" : "without") << " the event";
  }
}

TEST(PeriodicWorker, StoppedWorkerGivesTheStepBack) {
  FakeWorker worker(720);
  worker.wanted = true;
  ASSERT_TRUE(worker.syncTick());
  worker.stop();
  EXPECT_FALSE(worker.hasThread());
  EXPECT_FALSE(worker.syncTick());
  EXPECT_FALSE(worker.isRunning());
  worker.stop();  // a second stop finds nothing to do
}

TEST(PeriodicWorker, StopOnItsOwnThreadDoesNotJoinItself) {
  FakeWorker worker(720);
  worker.onStep = [](FakeWorker& self) { self.stop(); };
  worker.wanted = true;
  worker.syncTick();
  EXPECT_TRUE(eventually([&] { return !worker.hasThread(); }));
  EXPECT_FALSE(worker.syncTick());
}

TEST(PeriodicWorker, AStuckWorkerDoesNotHoldTheHostForever) {
  FakeWorker worker(720);
  worker.wanted = true;
  ASSERT_TRUE(worker.syncTick());
  worker.hold = true;  // the next step never ends until released
  ASSERT_TRUE(eventually([&] { return worker.holding.load(); }));
  worker.setHandshakeLimit(1s);
  worker.wanted = false;
  EXPECT_FALSE(worker.syncTick());  // the host steps inline after the limit, not never
  worker.hold = false;
}

TEST(PeriodicWorker, DestroyedWhilePacingEndsCleanly) {
  auto worker = std::make_unique<FakeWorker>(720);
  worker->wanted = true;
  ASSERT_TRUE(worker->syncTick());
  worker.reset();  // joins: no terminate
}

// Work handed to the worker and waited for: it runs once, on the worker while its loop runs, on
// the caller when the loop has stopped or has not begun the work by the limit.
TEST(PeriodicWorker, RunOnWorkerAndWait) {
  FakeWorker worker(720);
  ASSERT_TRUE(worker.hasThread());
  std::atomic<int> runs{0};
  std::thread::id ranOn;
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, kHangGuard));
  EXPECT_EQ(runs.load(), 1);
  EXPECT_NE(ranOn, std::this_thread::get_id());

  // The loop busy until told: the work posted behind it runs here at the limit, and not again
  // when the loop gets to it.
  std::atomic<bool> busy{true};
  worker.postToWorker([&busy] { while (busy.load()) std::this_thread::sleep_for(1ms); });
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, 50ms));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  busy = false;
  std::atomic<bool> drained{false};
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { drained = true; }, kHangGuard));
  EXPECT_TRUE(drained.load());
  EXPECT_EQ(runs.load(), 2);

  worker.stop();
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, kHangGuard));
  EXPECT_EQ(runs.load(), 3);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}
