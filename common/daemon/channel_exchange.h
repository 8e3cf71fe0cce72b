#pragma once
// One request/reply exchange over a daemon's channel, as the clients run it: take the mutex
// unless the daemon has ended, copy the request range of the client's record into the block,
// signal the request, wait for the reply, copy the reply ranges back, release the mutex.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "common/daemon/daemon_launcher.h"

namespace kvl {

struct ByteRange {
  size_t offset;
  size_t length;
};

// Which bytes of a record go to the daemon and which come back.
struct ChannelLayout {
  size_t recordSize;
  ByteRange request;
  std::vector<ByteRange> replies;
};

enum class ExchangeResult {
  NoLauncher,   // no launcher: nothing was done
  DaemonGone,   // the daemon never started or has ended: nothing was sent
  NoView,       // the block could not be mapped: the mutex was taken and released, nothing sent
  Replied,      // the reply was copied into the record
  NoReply,      // the daemon ended, or the wait failed, before it replied: nothing copied back
};

const char* exchangeResultWord(ExchangeResult result);

// Runs one exchange for `record` (layout.recordSize bytes). `prepare` runs once the daemon is
// known to run, before the mutex is taken and the request is copied in. A daemon that ends while
// the request is pending does not block the caller: the reply is awaited together with the
// daemon's process.
ExchangeResult exchangeWithDaemon(DaemonLauncher* launcher, void* record, const ChannelLayout& layout,
                                  const std::function<void()>& prepare = {});

}  // namespace kvl
