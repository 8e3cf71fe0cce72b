#include <objbase.h>

#include "daemons/recorder/recorder_server.h"

namespace kvl {

RecorderServer::RecorderServer(std::shared_ptr<InheritedChannel> channel, HANDLE pluginProcess,
                               uint64_t rowBufferCapBytes)
    : channel_(std::move(channel)), pluginProcess_(pluginProcess), rowBufferCapBytes_(rowBufferCapBytes) {}

void RecorderServer::commandLoop() {
  CoInitialize(nullptr);
  for (;;) {
    const RequestWait wait = channel_->waitForRequest(pluginProcess_, kRequestWaitMs);
    // The plugin has ended, or a handle names no object: either way no request can come.
    if (wait == RequestWait::PluginEnded || wait == RequestWait::Failed) break;
    if (wait != RequestWait::Request) continue;

    channel_->resetRequest();
    bool goOn = true;
    if (unsigned char* block = channel_->view()) {
      auto* record = reinterpret_cast<RecorderCommandRecord*>(block);
      try {
        goOn = handleCommand(*record);
      } catch (...) {
        // Out of memory while building the table, for instance: still answer, with what is
        // buffered.
        record->bufferedBytes = static_cast<int64_t>(bufferedBytes());
      }
    }
    channel_->setReply();
    if (!goOn) break;
  }
  // The rows of a queued or running save exist only here: every save is written whole before the
  // daemon ends (a STOP event set first would cut them short and lose the stage's recording).
  finishJobs();
  CoUninitialize();
}

}  // namespace kvl
