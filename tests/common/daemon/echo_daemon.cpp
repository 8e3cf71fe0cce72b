// A daemon for channel tests, started through the shared daemon start-up. Its 64-byte block:
// byte 0 is the command (1 echo, 2 end without replying, 3 reply and end), bytes 1 to 31 the
// request data; the reply is bytes 32 to 63, each request byte plus one. It counts its
// requests in byte 32 + 31.
#include <windows.h>

#include <cstring>

#include "common/daemon/daemon_startup.h"

namespace {

constexpr size_t kRecordSize = 64;

void serve(HANDLE pluginProcess, std::shared_ptr<kvl::InheritedChannel> channel) {
  unsigned char requests = 0;
  for (;;) {
    kvl::RequestWait wait = channel->waitForRequest(pluginProcess, 60000);
    if (wait == kvl::RequestWait::PluginEnded || wait == kvl::RequestWait::Failed) return;
    if (wait != kvl::RequestWait::Request) continue;
    channel->resetRequest();
    unsigned char* block = channel->view();
    unsigned char command = block ? block[0] : 1;
    if (command == 2) {
      Sleep(300);
      return;
    }
    if (block) {
      for (size_t i = 0; i < 31; ++i) block[32 + i] = static_cast<unsigned char>(block[i] + 1);
      block[63] = ++requests;
    }
    channel->setReply();
    if (command == 3) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  return kvl::runDaemon(argc, argv, sizeof(void*) == 8 ? "64-bit" : "32-bit", kRecordSize, serve);
}
