#include "common/daemon/channel_exchange.h"

#include <cstring>

namespace kvl {

const char* exchangeResultWord(ExchangeResult result) {
  switch (result) {
    case ExchangeResult::NoLauncher: return "no-launcher";
    case ExchangeResult::DaemonGone: return "daemon-gone";
    case ExchangeResult::NoView: return "no-view";
    case ExchangeResult::Replied: return "replied";
    case ExchangeResult::NoReply: return "no-reply";
  }
  return "unknown";
}

namespace {

// Whether the daemon runs (false also when its handle cannot be waited on).
bool daemonRuns(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

// Takes the channel's mutex unless the daemon has ended meanwhile; false when it has, and the
// mutex is then left alone. The process and the mutex are waited on together, the process first:
// an ended daemon wins over a free mutex, and a thread waiting for the mutex behind another
// exchange is woken when the daemon ends rather than sending it a request.
bool lockWhileDaemonRuns(HANDLE process, HANDLE mutex) {
  if (!mutex) return true;
  HANDLE waitFor[2] = {process, mutex};
  const DWORD wait = WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
  // An abandoned mutex (a thread ended while holding it) is owned all the same.
  return wait == WAIT_OBJECT_0 + 1 || wait == WAIT_ABANDONED_0 + 1;
}

}  // namespace

ExchangeResult exchangeWithDaemon(DaemonLauncher* launcher, void* record, const ChannelLayout& layout,
                                  const std::function<void()>& prepare) {
  if (!launcher) return ExchangeResult::NoLauncher;
  // A daemon that never started has no process; one that has ended, or whose handle cannot be
  // waited on, counts as gone as well.
  const ScopedHandle daemon(launcher->process(), false);  // the launcher owns it
  HANDLE process = daemon.get();
  DaemonChannel& channel = launcher->channel();
  HANDLE mutex = channel.mutex();
  if (!process || !daemonRuns(process)) return ExchangeResult::DaemonGone;
  // The client's own preparation needs no lock: it must not hold up the other threads' exchanges.
  if (prepare) prepare();
  if (!lockWhileDaemonRuns(process, mutex)) return ExchangeResult::DaemonGone;

  ExchangeResult result = ExchangeResult::NoView;
  unsigned char* block = channel.view();
  auto* bytes = static_cast<unsigned char*>(record);
  if (block) {
    std::memcpy(block + layout.request.offset, bytes + layout.request.offset, layout.request.length);
    ChannelEvent& request = channel.requestEvent();
    ChannelEvent& reply = channel.replyEvent();
    SetEvent(request.handle);
    request.lastError = GetLastError();
    // The reply event comes first, so a reply given just before the daemon ended still counts.
    HANDLE waitFor[2] = {reply.handle, process};
    DWORD wait = WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
    reply.lastError = GetLastError();
    if (wait == WAIT_OBJECT_0) {
      for (const ByteRange& range : layout.replies) {
        std::memcpy(bytes + range.offset, block + range.offset, range.length);
      }
      ResetEvent(reply.handle);
      reply.lastError = GetLastError();
      result = ExchangeResult::Replied;
    } else {
      result = ExchangeResult::NoReply;
    }
  }

  if (mutex) ReleaseMutex(mutex);
  return result;
}

}  // namespace kvl
