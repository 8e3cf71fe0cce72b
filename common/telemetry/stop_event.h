#pragma once
// A manual-reset STOP signal that long-running jobs poll. On Windows it is an inheritable
// unnamed event; elsewhere a flag.
#include <atomic>
#include <cstdint>

namespace kvl {

class StopEvent {
 public:
  StopEvent();
  ~StopEvent();
  StopEvent(const StopEvent&) = delete;
  StopEvent& operator=(const StopEvent&) = delete;

  void set();
  // Tests the signal without waiting.
  bool isSet() const;
  // The event handle on Windows (null elsewhere, or when creation failed).
  void* handle() const { return handle_; }
  uint32_t lastError() const { return lastError_; }
  bool owned() const { return owned_; }

 private:
  void* handle_ = nullptr;
  uint32_t lastError_ = 0;
  bool owned_ = false;
  std::atomic<bool> flag_{false};
};

}  // namespace kvl
