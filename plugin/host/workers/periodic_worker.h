#pragma once
// A thread with its own event loop and a timer that runs `step` at a fixed rate while the host
// wants it to (`shouldRun`). The host thread starts, paces and stops it once per host frame
// (`syncTick`), and drains the work that steps hand back to it through two host-task queues that
// swap.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include "plugin/host/events/host_listener.h"

namespace kvl::host {

struct EventSignal;

class PeriodicWorker {
 public:
  // Reads the host's game state; called on the host thread.
  using StateReader = std::int32_t (*)();
  // The tick clock in microseconds; the performance counter's unless one is given.
  using MicrosecondClock = std::int64_t (*)();

  // How long the host thread waits, by default, for the worker to take over or hand back the
  // step. A worker that does not answer by then is treated as stopped and the host steps inline.
  static constexpr std::chrono::milliseconds kHandshakeLimit{30000};

  // rate ticks per second; 0 or less: the worker never starts. Does not start the thread.
  PeriodicWorker(std::int32_t rate, StateReader readState, MicrosecondClock clock = nullptr);
  virtual ~PeriodicWorker();
  PeriodicWorker(const PeriodicWorker&) = delete;
  PeriodicWorker& operator=(const PeriodicWorker&) = delete;

  virtual const char* name() const { return ""; }
  // The paced work: whole periods of elapsed time (n x period microseconds) and n.
  virtual void step(std::int64_t elapsedMicros, std::int32_t periods) = 0;
  // Whether the worker should pace now; asked on both threads.
  virtual bool shouldRun() = 0;

  // Creates the thread unless the rate is 0 or less or a thread exists; returns once it runs.
  void start();
  // Stops the event loop and joins the thread (from another thread; on the worker's own thread
  // the thread is let go instead). Safe to call more than once.
  void stop();
  // The host-frame handshake: true while the worker owns the work (the caller skips its inline
  // run), false when the caller runs it inline.
  bool syncTick();

  // Raises the source with a copy of the record on the worker while it paces, else at once.
  void raiseOnWorker(EventSignal* source, const void* record, std::size_t size);
  // Runs work on the host thread at its next syncTick.
  void postToHost(std::function<void()> work);
  // Runs work on the worker's thread.
  void postToWorker(std::function<void()> work);
  // Runs work on the worker's thread and waits for it, at most `limit`; runs it on the calling
  // thread instead when that is the worker's own, when the worker's loop has stopped or never
  // started, or when the work has not begun by the limit. False when it still runs on the worker
  // at the limit.
  bool runOnWorkerAndWait(std::function<void()> work, std::chrono::milliseconds limit);

  std::int32_t hostState() const noexcept { return hostState_.load(); }
  std::int32_t rate() const noexcept { return rate_; }
  bool isRunning() const noexcept { return running_.load(); }
  bool isStepping() const noexcept { return stepping_.load(); }
  bool hasThread() const noexcept { return thread_ != nullptr; }
  void setHandshakeLimit(std::chrono::milliseconds limit) noexcept { handshakeLimit_ = limit; }
  // True on the worker's own thread.
  bool onWorkerThread() const noexcept;
  boost::asio::io_context& eventLoop() noexcept { return *eventLoop_; }

  // The listener handlers: a game-state event (INITIALIZE_TRACK drops the queued host work) and
  // the hub's shutdown event (stops the worker).
  void onGameStateChanged(std::int32_t state);
  void onShutdown() { stop(); }

  // The process is ending: the system has ended the other threads, so destructors let go of the
  // worker's thread and loop instead of joining or stopping them.
  static void setProcessExiting() noexcept;
  static bool isProcessExiting() noexcept;

 protected:
  // Links the game-state and shutdown nodes at the tail of the two sources' catch-all lists.
  void linkListeners(EventSignal* gameStateSource, EventSignal* shutdownSource) noexcept;

 private:
  void threadMain() noexcept;
  void tick() noexcept;
  void stopPacing();
  void arm(boost::asio::steady_timer::time_point deadline);
  void runHostQueue();
  void swapHostQueues();
  std::shared_ptr<boost::asio::io_context> postQueueOwner();

  const std::int32_t rate_;
  const StateReader readState_;
  const MicrosecondClock clock_;
  std::chrono::milliseconds handshakeLimit_ = kHandshakeLimit;
  std::atomic<bool> running_{false};
  std::atomic<bool> stepping_{false};
  std::atomic<bool> primed_{false};
  std::int64_t lastTickMicros_ = 0;
  std::atomic<std::int32_t> hostState_{0};
  std::mutex queueMutex_;
  std::mutex stateMutex_;
  std::condition_variable stateChanged_;
  std::shared_ptr<boost::asio::io_context> hostQueue_;
  std::shared_ptr<boost::asio::io_context> postQueue_;
  bool hostDraining_ = false;  // the host thread runs hostQueue_ (guarded by queueMutex_)
  std::unique_ptr<boost::asio::io_context> eventLoop_;
  std::optional<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> workGuard_;
  std::atomic<bool> guardHeld_{true};
  std::unique_ptr<boost::asio::steady_timer> timer_;
  std::shared_ptr<std::thread> thread_;
  std::shared_ptr<std::thread> endedThread_;  // stopped from its own thread, joined later
  std::atomic<std::thread::id> threadId_{};
  HostListenerNode gameStateNode_;
  HostListenerNode shutdownNode_;
};

}  // namespace kvl::host
