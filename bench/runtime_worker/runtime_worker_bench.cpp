// The 720-per-second worker against a bare event-loop timer at the same rate, in the same run:
// calls per second achieved and the 99th percentile of how late a call came after it was due
// (one period after the call before it). Both pace on absolute deadlines.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include "plugin/host/workers/periodic_worker.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 720;
constexpr auto kPeriod = std::chrono::microseconds(1000000 / kRate);
constexpr auto kRun = std::chrono::seconds(3);

struct Result {
  double rate;
  double p99Micros;
};

// Lateness of a call: how much more than one period passed since the call before it.
class Lateness {
 public:
  void call(Clock::time_point now) {
    if (calls_++ == 0) {
      first_ = now;
    } else {
      const double interval = std::chrono::duration<double, std::micro>(now - last_).count();
      late_.push_back(std::max(0.0, interval - static_cast<double>(kPeriod.count())));
    }
    last_ = now;
  }
  Result result() {
    std::sort(late_.begin(), late_.end());
    const double wall = std::chrono::duration<double>(last_ - first_).count();
    const double p99 = late_.empty() ? 0.0 : late_[static_cast<std::size_t>(0.99 * (late_.size() - 1))];
    return {wall > 0 ? (calls_ - 1) / wall : 0.0, p99};
  }

 private:
  long calls_ = 0;
  Clock::time_point first_, last_;
  std::vector<double> late_;
};

std::int32_t gameState() { return 1; }

class BenchWorker : public kvl::host::PeriodicWorker {
 public:
  BenchWorker() : PeriodicWorker(kRate, &gameState) { start(); }
  ~BenchWorker() override { stop(); }
  void step(std::int64_t, std::int32_t) override { lateness.call(Clock::now()); }
  bool shouldRun() override { return true; }
  Lateness lateness;
};

Result workerRun() {
  BenchWorker worker;
  worker.syncTick();
  std::this_thread::sleep_for(kRun);
  worker.stop();
  return worker.lateness.result();
}

Result bareTimerRun() {
  boost::asio::io_context loop;
  boost::asio::steady_timer timer(loop);
  Lateness lateness;
  const auto end = Clock::now() + kRun;
  std::function<void(const boost::system::error_code&)> fire = [&](const boost::system::error_code&) {
    const auto now = Clock::now();
    lateness.call(now);
    if (now >= end) return;
    timer.expires_at(timer.expiry() + kPeriod);
    timer.async_wait(fire);
  };
  timer.expires_at(Clock::now() + kPeriod);
  timer.async_wait(fire);
  std::thread thread([&] { loop.run(); });
  thread.join();
  return lateness.result();
}

}  // namespace

int main() {
  const Result bare = bareTimerRun();
  const Result worker = workerRun();
  std::printf("bare timer   %8.1f calls/s  p99 lateness %8.1f us\n", bare.rate, bare.p99Micros);
  std::printf("720/s worker %8.1f calls/s  p99 lateness %8.1f us\n", worker.rate, worker.p99Micros);
  std::printf("ratios (worker / bare timer): rate %.3f, p99 lateness %.3f\n", worker.rate / bare.rate,
              bare.p99Micros > 0 ? worker.p99Micros / bare.p99Micros : 0.0);
  return 0;
}
