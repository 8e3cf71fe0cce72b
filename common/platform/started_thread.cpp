#include "common/platform/started_thread.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace kvl {
namespace {

// Shared by the starter and the new thread, so neither outlives what the other still touches.
struct StartSignal {
  std::mutex mutex;
  std::condition_variable changed;
  bool begun = false;
};

}  // namespace

std::thread startedThread(std::function<void()> body) {
  auto signal = std::make_shared<StartSignal>();
  std::thread thread([signal, body = std::move(body)] {
    {
      std::lock_guard<std::mutex> lock(signal->mutex);
      signal->begun = true;
    }
    signal->changed.notify_all();
    body();
  });
  std::unique_lock<std::mutex> lock(signal->mutex);
  signal->changed.wait(lock, [&] { return signal->begun; });
  return thread;
}

}  // namespace kvl
