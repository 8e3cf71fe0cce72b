#include "plugin/host/workers/periodic_worker.h"

#include <array>
#include <cstring>

#include <boost/asio/post.hpp>

#include "common/platform/started_thread.h"
#include "plugin/foundation/clocks/perf_clock.h"
#include "plugin/host/events/event_signal.h"
#include "plugin/host/workers/worker_thread_setup.h"

namespace kvl::host {
namespace {

std::atomic<bool> processExiting{false};

using Clock = boost::asio::steady_timer::clock_type;

// Deadline plus period without overflow.
Clock::time_point later(Clock::time_point at, Clock::duration by) {
  if (at > Clock::time_point::max() - by) return Clock::time_point::max();
  return at + by;
}

// The largest record a posted raise carries.
constexpr std::size_t kMaxPostedRecord = 72;

}  // namespace

void PeriodicWorker::setProcessExiting() noexcept { processExiting.store(true); }
bool PeriodicWorker::isProcessExiting() noexcept { return processExiting.load(); }

PeriodicWorker::PeriodicWorker(std::int32_t rate, StateReader readState, MicrosecondClock clock)
    : rate_(rate),
      readState_(readState),
      clock_(clock != nullptr ? clock : &PerfClock::microseconds),
      hostQueue_(std::make_shared<boost::asio::io_context>()),
      postQueue_(std::make_shared<boost::asio::io_context>()),
      eventLoop_(std::make_unique<boost::asio::io_context>()),
      gameStateNode_(this,
                     [](void* self, const void* record) {
                       static_cast<PeriodicWorker*>(self)->onGameStateChanged(*static_cast<const std::int32_t*>(record));
                     }),
      shutdownNode_(this, [](void* self, const void*) { static_cast<PeriodicWorker*>(self)->onShutdown(); }) {
  hostState_.store(readState_ != nullptr ? readState_() : 0);
  workGuard_.emplace(boost::asio::make_work_guard(*eventLoop_));
  timer_ = std::make_unique<boost::asio::steady_timer>(*eventLoop_);
}

PeriodicWorker::~PeriodicWorker() {
  unlinkListener(shutdownNode_);
  unlinkListener(gameStateNode_);
  if (processExiting.load()) {
    // The system has already ended the worker's thread: touch neither it nor its loop.
    for (std::shared_ptr<std::thread>* t : {&thread_, &endedThread_}) {
      if (*t != nullptr && (*t)->joinable()) (*t)->detach();
    }
    (void)timer_.release();
    (void)eventLoop_.release();
    workGuard_.reset();
    return;
  }
  stop();
  timer_.reset();
}

bool PeriodicWorker::onWorkerThread() const noexcept { return threadId_.load() == std::this_thread::get_id(); }

void PeriodicWorker::linkListeners(EventSignal* gameStateSource, EventSignal* shutdownSource) noexcept {
  if (gameStateSource != nullptr) appendListener(gameStateSource->catchAll(), gameStateNode_);
  if (shutdownSource != nullptr) appendListener(shutdownSource->catchAll(), shutdownNode_);
}

void PeriodicWorker::start() {
  if (rate_ <= 0 || thread_ != nullptr) return;
  thread_ = std::make_shared<std::thread>(startedThread([this] { threadMain(); }));
  threadId_.store(thread_->get_id());
}

void PeriodicWorker::stop() {
  eventLoop_->stop();
  if (guardHeld_.exchange(false)) workGuard_.reset();
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    running_.store(false);
    primed_.store(false);
  }
  stateChanged_.notify_all();
  if (onWorkerThread()) {
    // A worker never joins itself: its loop is stopped, the thread ends on its own and the next
    // stop from another thread (at the latest the destructor) joins it.
    endedThread_ = std::move(thread_);
    return;
  }
  for (std::shared_ptr<std::thread>* t : {&thread_, &endedThread_}) {
    if (*t != nullptr && (*t)->joinable()) (*t)->join();
    t->reset();
  }
}

void PeriodicWorker::threadMain() noexcept {
  enterWorkerThread();
  while (!eventLoop_->stopped()) {
    try {
      eventLoop_->run_for(std::chrono::seconds(10));
    } catch (...) {
    }
  }
  leaveWorkerThread();
}

bool PeriodicWorker::syncTick() {
  hostState_.exchange(readState_());
  if (!guardHeld_.load()) {
    running_.store(false);
    return false;
  }
  runHostQueue();
  hostState_.exchange(readState_());
  if (rate_ <= 0 || thread_ == nullptr) return false;

  if (shouldRun()) {
    if (running_.load()) return true;
    running_.store(true);
    // A timer still armed from an earlier run is cancelled first, so one chain of ticks runs.
    boost::asio::post(*eventLoop_, [this] {
      timer_->cancel();
      tick();
    });
    bool primed = false;
    {
      std::unique_lock<std::mutex> lock(stateMutex_);
      const bool answered =
          stateChanged_.wait_for(lock, handshakeLimit_, [this] { return primed_.load() || !running_.load(); });
      if (!answered) running_.store(false);
      primed = primed_.load();
    }
    runHostQueue();
    return primed;
  }

  bool released = false;
  {
    std::unique_lock<std::mutex> lock(stateMutex_);
    running_.store(false);
    released = stateChanged_.wait_for(lock, handshakeLimit_, [this] { return !primed_.load(); });
  }
  runHostQueue();
  // A worker that did not hand the step back in time is given up: the host steps inline.
  return released ? stepping_.load() : false;
}

void PeriodicWorker::stopPacing() {
  {
    std::lock_guard<std::mutex> lock(stateMutex_);
    primed_.store(false);
    running_.store(false);
  }
  stateChanged_.notify_all();
}

void PeriodicWorker::tick() noexcept {
  try {
    const std::int64_t now = clock_();
    if (rate_ <= 0 || !running_.load() || !guardHeld_.load() || !shouldRun()) {
      stopPacing();
      return;
    }
    stepping_.store(true);
    const bool primed = primed_.load();
    if (!primed) lastTickMicros_ = now;
    const std::int64_t period = 1000000 / rate_;
    const std::int64_t elapsed = now - lastTickMicros_;
    std::int64_t periods = elapsed / period;
    const std::int64_t rest = elapsed % period;
    if (!primed) periods = 1;
    lastTickMicros_ = now - rest;
    try {
      step(periods * period, static_cast<std::int32_t>(periods));
    } catch (...) {
    }
    stepping_.store(false);
    swapHostQueues();
    if (!primed) {
      {
        std::lock_guard<std::mutex> lock(stateMutex_);
        primed_.store(true);
      }
      stateChanged_.notify_all();
    }
    // Absolute deadlines: the next tick is due one period after the last deadline, so late
    // wake-ups do not slow the rate down. After a stall of several periods the pacing restarts
    // from now (the stalled time reaches the next step as whole periods).
    const Clock::duration every = std::chrono::microseconds(period);
    const Clock::time_point clockNow = Clock::now();
    Clock::time_point next = primed ? later(timer_->expiry(), every) : later(clockNow, every);
    if (next < clockNow - 8 * every) next = later(clockNow, every);
    arm(next);
  } catch (...) {
    stepping_.store(false);
    stopPacing();
  }
}

void PeriodicWorker::arm(Clock::time_point deadline) {
  timer_->expires_at(deadline);
  timer_->async_wait([this](const boost::system::error_code& error) {
    // A cancelled wait is dropped rather than ticked: the timer is cancelled only where a new
    // chain of ticks starts (syncTick posts a first tick of its own) or the loop is torn down, so a
    // tick here would run a second chain beside the new one, stepping twice per period.
    if (error == boost::asio::error::operation_aborted) return;
    tick();
  });
}

void PeriodicWorker::runHostQueue() {
  std::shared_ptr<boost::asio::io_context> queue;
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    queue = hostQueue_;
    hostDraining_ = true;
  }
  try {
    queue->run();
  } catch (...) {
  }
  std::lock_guard<std::mutex> lock(queueMutex_);
  hostDraining_ = false;
}

void PeriodicWorker::swapHostQueues() {
  std::lock_guard<std::mutex> lock(queueMutex_);
  // A queue reads as stopped a moment before its run returns: it is restarted only once the host
  // has left it.
  if (hostDraining_ || !hostQueue_->stopped()) return;
  std::swap(hostQueue_, postQueue_);
  postQueue_->restart();
}

std::shared_ptr<boost::asio::io_context> PeriodicWorker::postQueueOwner() {
  std::lock_guard<std::mutex> lock(queueMutex_);
  return postQueue_;
}

void PeriodicWorker::postToHost(std::function<void()> work) {
  boost::asio::post(*postQueueOwner(), std::move(work));
}

void PeriodicWorker::postToWorker(std::function<void()> work) { boost::asio::post(*eventLoop_, std::move(work)); }

namespace {

// Work run once, by whichever thread claims it first.
struct Handoff {
  enum : int { waiting, running, done };
  std::function<void()> work;
  std::atomic<int> phase{waiting};
  std::mutex mutex;
  std::condition_variable finished;

  void runOnce() noexcept {
    int expected = waiting;
    if (!phase.compare_exchange_strong(expected, running)) return;
    try {
      work();
    } catch (...) {
    }
    {
      std::lock_guard<std::mutex> lock(mutex);
      phase.store(done);
    }
    finished.notify_all();
  }
};

}  // namespace

bool PeriodicWorker::runOnWorkerAndWait(std::function<void()> work, std::chrono::milliseconds limit) {
  auto handoff = std::make_shared<Handoff>();
  handoff->work = std::move(work);
  if (onWorkerThread() || thread_ == nullptr || !guardHeld_.load() || eventLoop_->stopped()) {
    handoff->runOnce();
    return true;
  }
  boost::asio::post(*eventLoop_, [handoff] { handoff->runOnce(); });
  {
    std::unique_lock<std::mutex> lock(handoff->mutex);
    handoff->finished.wait_for(lock, limit, [&] { return handoff->phase.load() == Handoff::done; });
  }
  // Not begun by the limit (the loop was stopped meanwhile, or is stuck): it runs here.
  handoff->runOnce();
  return handoff->phase.load() == Handoff::done;
}

void PeriodicWorker::raiseOnWorker(EventSignal* source, const void* record, std::size_t size) {
  if (source == nullptr) return;
  if (!running_.load()) {
    source->raise(record);
    return;
  }
  std::array<unsigned char, kMaxPostedRecord> copy{};
  std::memcpy(copy.data(), record, size < copy.size() ? size : copy.size());
  boost::asio::post(*eventLoop_, [source, copy] { source->raise(copy.data()); });
}

void PeriodicWorker::onGameStateChanged(std::int32_t state) {
  if (state != 13) return;  // INITIALIZE_TRACK: work queued for the host is dropped unrun
  std::lock_guard<std::mutex> lock(queueMutex_);
  hostQueue_ = std::make_shared<boost::asio::io_context>();
  postQueue_ = std::make_shared<boost::asio::io_context>();
}

}  // namespace kvl::host
