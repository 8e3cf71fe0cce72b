// The sound tick's own timer on an event loop run by one thread: it ticks at the rate on that
// thread, and a tick that overran skips the ticks it missed instead of running them in a burst.
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <boost/asio/executor_work_guard.hpp>
#include <gtest/gtest.h>

#include "plugin/sound/sound_tick_timer.h"

namespace {

using Clock = std::chrono::steady_clock;

std::mutex lock;
std::vector<Clock::time_point> tickTimes;
std::vector<std::thread::id> tickThreads;
Clock::duration firstTickLasts{};

void recordTick(float) noexcept {
  std::lock_guard<std::mutex> hold(lock);
  const bool first = tickTimes.empty();
  tickTimes.push_back(Clock::now());
  tickThreads.push_back(std::this_thread::get_id());
  if (first) std::this_thread::sleep_for(firstTickLasts);
}

// Runs a loop on a thread of its own for that long with the ticks started; returns its thread.
std::thread::id runTicks(std::chrono::milliseconds lasting, Clock::duration firstTick) {
  tickTimes.clear();
  tickThreads.clear();
  firstTickLasts = firstTick;
  boost::asio::io_context loop;
  auto work = boost::asio::make_work_guard(loop);
  kvl::startSoundTicks(loop, 720, &recordTick);
  std::thread runner([&] { loop.run_for(lasting); });
  const std::thread::id id = runner.get_id();
  runner.join();
  return id;
}

TEST(SoundTickTimer, TicksAtTheRateOnTheLoopsThread) {
  const std::thread::id loopThread = runTicks(std::chrono::milliseconds(500), {});
  // 360 in half a second; a slow machine's timer may run far fewer, never more.
  EXPECT_GE(tickTimes.size(), 10u);
  EXPECT_LE(tickTimes.size(), 365u);
  for (const auto& id : tickThreads) EXPECT_EQ(id, loopThread);
}

TEST(SoundTickTimer, AnOverrunSkipsTheMissedTicks) {
  // The first tick lasts 100 ms, 72 periods: the ticks after it keep the rate.
  runTicks(std::chrono::milliseconds(300), std::chrono::milliseconds(100));
  ASSERT_GE(tickTimes.size(), 2u);
  const Clock::time_point end = tickTimes[0] + std::chrono::milliseconds(100);
  int soonAfter = 0;
  for (const auto& t : tickTimes) soonAfter += t >= end && t < end + std::chrono::milliseconds(10) ? 1 : 0;
  EXPECT_LE(soonAfter, 12) << "ticks within 10 ms of the overrun's end";
}

}  // namespace
