#include "common/telemetry/stop_event.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kvl {

#ifdef _WIN32

StopEvent::StopEvent() {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;
  handle_ = CreateEventA(&sa, TRUE, FALSE, nullptr);
  lastError_ = GetLastError();
  owned_ = true;
}

StopEvent::~StopEvent() {
  if (owned_ && handle_) CloseHandle(handle_);
}

void StopEvent::set() {
  flag_.store(true);
  if (handle_) {
    SetEvent(handle_);
    lastError_ = GetLastError();
  }
}

bool StopEvent::isSet() const {
  if (handle_) return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
  return flag_.load();
}

#else

StopEvent::StopEvent() { owned_ = true; }
StopEvent::~StopEvent() = default;
void StopEvent::set() { flag_.store(true); }
bool StopEvent::isSet() const { return flag_.load(); }

#endif

}  // namespace kvl
