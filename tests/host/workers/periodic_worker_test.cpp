// The worker's pacing, host-frame handshake and stop logic, with a worker whose step and
// decision the test controls.
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/workers/periodic_worker.h"

using kvl::host::PeriodicWorker;
using namespace std::chrono_literals;

namespace {

std::int32_t hostStateNow = 0;
std::int32_t readHostState() { return hostStateNow; }

class FakeWorker : public PeriodicWorker {
 public:
  // Returns once the worker's thread runs its loop (its start-up may take long on a slow machine:
  // the handshake under test starts from a running loop, as in the host).
  explicit FakeWorker(std::int32_t rate) : PeriodicWorker(rate, &readHostState) {
    start();
    if (!hasThread()) return;
    std::atomic<bool> looping{false};
    postToWorker([&looping] { looping = true; });
    for (int i = 0; i < 12000 && !looping.load(); ++i) std::this_thread::sleep_for(10ms);
  }
  ~FakeWorker() override { stop(); }

  void step(std::int64_t elapsed, std::int32_t periods) override {
    if (steps.fetch_add(1) == 0) firstStep = {elapsed, periods};
    totalPeriods += periods;
    if (elapsed != std::int64_t{periods} * 1388) wrongElapsed = true;
    if (std::this_thread::get_id() != workerThread.load() && workerThread.load() != std::thread::id()) wrongThread = true;
    workerThread.store(std::this_thread::get_id());
    if (onStep) onStep(*this);
    while (hold.load()) std::this_thread::sleep_for(1ms);
  }
  bool shouldRun() override { return wanted.load(); }

  std::atomic<bool> wanted{false};
  std::atomic<bool> hold{false};
  std::atomic<int> steps{0};
  std::atomic<bool> wrongThread{false};
  std::atomic<bool> wrongElapsed{false};
  std::atomic<std::int64_t> totalPeriods{0};
  std::atomic<std::thread::id> workerThread{};
  std::pair<std::int64_t, std::int32_t> firstStep{-1, -1};
  void (*onStep)(FakeWorker&) = nullptr;
};

}  // namespace

TEST(PeriodicWorker, RateZeroOrLessNeverStarts) {
  for (std::int32_t rate : {0, -5}) {
    FakeWorker worker(rate);
    worker.wanted = true;
    EXPECT_FALSE(worker.hasThread()) << rate;
    for (int frame = 0; frame < 3; ++frame) EXPECT_FALSE(worker.syncTick()) << rate;
    EXPECT_EQ(worker.steps.load(), 0) << rate;
    worker.stop();
    worker.stop();
  }
}

TEST(PeriodicWorker, TakesOverAfterTheFirstStepAndHandsBackAfterTheLast) {
  FakeWorker worker(720);
  ASSERT_TRUE(worker.hasThread());
  EXPECT_FALSE(worker.syncTick());  // not wanted: the host steps inline
  EXPECT_EQ(worker.steps.load(), 0);

  worker.wanted = true;
  const auto pacingStart = std::chrono::steady_clock::now();
  EXPECT_TRUE(worker.syncTick());  // returns once the first step has completed
  EXPECT_GE(worker.steps.load(), 1);
  EXPECT_EQ(worker.firstStep, std::make_pair(std::int64_t{1388}, 1));  // one period, whatever came before
  EXPECT_TRUE(worker.isRunning());

  std::this_thread::sleep_for(1500ms);
  EXPECT_TRUE(worker.syncTick());  // later frames only synchronise
  // Whole periods of 1388 us; late wake-ups hand several at once, so the periods keep up with
  // the wall clock however coarse the timer is (allowing for one late wake-up of up to 0.5 s),
  // and never run ahead of it.
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - pacingStart).count();
  const auto periods = static_cast<double>(worker.totalPeriods.load());
  EXPECT_GT(periods, (wall - 0.5) * 720 * 0.9) << worker.steps.load() << " steps";
  EXPECT_LE(periods, wall * 720.5 + 1);
  EXPECT_FALSE(worker.wrongElapsed.load());
  EXPECT_FALSE(worker.wrongThread.load());
  EXPECT_NE(worker.workerThread.load(), std::this_thread::get_id());

  worker.wanted = false;
  EXPECT_FALSE(worker.syncTick());  // only after the worker acknowledged
  EXPECT_FALSE(worker.isRunning());
  EXPECT_FALSE(worker.isStepping());
  const int stepsAtStop = worker.steps.load();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(worker.steps.load(), stepsAtStop);

  // Wanted again: a fresh start, again one period first.
  worker.steps = 0;
  worker.wanted = true;
  EXPECT_TRUE(worker.syncTick());
  EXPECT_EQ(worker.firstStep, std::make_pair(std::int64_t{1388}, 1));
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
  for (int frame = 0; frame < 50 && runs.load() < 3; ++frame) {
    std::this_thread::sleep_for(5ms);
    worker.syncTick();
  }
  EXPECT_EQ(runs.load(), 3);
  for (const auto& id : ranOn) EXPECT_EQ(id, std::this_thread::get_id());

  // An INITIALIZE_TRACK event drops work still queued for the host.
  worker.wanted = false;
  worker.syncTick();
  worker.postToHost([] { ++runs; });
  worker.onGameStateChanged(13);
  worker.syncTick();
  EXPECT_EQ(runs.load(), 3);
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
  for (int i = 0; i < 100 && worker.hasThread(); ++i) std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(worker.hasThread());
  EXPECT_FALSE(worker.syncTick());
}

TEST(PeriodicWorker, AStuckWorkerDoesNotHoldTheHostForever) {
  FakeWorker worker(720);
  worker.wanted = true;
  ASSERT_TRUE(worker.syncTick());
  worker.hold = true;  // the next step never ends until released
  std::this_thread::sleep_for(20ms);
  worker.setHandshakeLimit(1s);
  worker.wanted = false;
  const auto before = std::chrono::steady_clock::now();
  EXPECT_FALSE(worker.syncTick());  // the host steps inline after the bound
  const auto waited = std::chrono::steady_clock::now() - before;
  EXPECT_LT(waited, 20s);
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
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, 120s));
  EXPECT_EQ(runs.load(), 1);
  EXPECT_NE(ranOn, std::this_thread::get_id());

  // The loop busy past the limit: the work runs here, and not again when the loop gets to it.
  std::atomic<bool> busy{true};
  worker.postToWorker([&busy] { while (busy.load()) std::this_thread::sleep_for(1ms); });
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, 50ms));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  busy = false;
  std::atomic<bool> drained{false};
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { drained = true; }, 120s));
  EXPECT_TRUE(drained.load());
  EXPECT_EQ(runs.load(), 2);

  worker.stop();
  EXPECT_TRUE(worker.runOnWorkerAndWait([&] { ++runs, ranOn = std::this_thread::get_id(); }, 120s));
  EXPECT_EQ(runs.load(), 3);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}
