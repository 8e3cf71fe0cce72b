// The daemon's side of the request/reply exchange, on its only thread.
#include <objbase.h>

#include "daemons/sound/sound_server.h"

namespace kvl {

namespace {
const DWORD kQuietPeriodMs = 200;
}

void SoundServer::run() {
  CoInitialize(nullptr);
  initFmod();
  const HANDLE plugin = reinterpret_cast<HANDLE>(processHandle_);
  bool quit = false;
  while (!quit && channel_) {
    const RequestWait wait = channel_->waitForRequest(plugin, kQuietPeriodMs);
    if (wait == RequestWait::PluginEnded) break;
    // A wait that fails would fail again at once: leave instead of spinning.
    if (wait == RequestWait::Failed) break;
    if (wait == RequestWait::Timeout) {
      onQuietPeriod();
      continue;
    }
    channel_->resetRequest();
    quit = serveRequest(channel_->view());
    channel_->setReply();
  }
  stopAll();
  releaseFmod();
  CoUninitialize();
}

}  // namespace kvl
