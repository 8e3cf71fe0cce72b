// A stand-in for the sound daemon in the sound client's tests, started by the client exactly as
// the real one, over the 720-byte sound record. A load (command 1) is answered with the results
// engineInt, gearInt and turbo set and the reply written over the whole block, far past its 64
// result bytes; a stop (command 3) leaves the file "ended mid-command" in the current directory
// and ends the program without a reply; every other command is answered with the block as it is.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>

#include "common/daemon/daemon_startup.h"
#include "common/sound/sound_record.h"

namespace {

void serve(HANDLE pluginProcess, std::shared_ptr<kvl::InheritedChannel> channel) {
  for (;;) {
    const kvl::RequestWait wait = channel->waitForRequest(pluginProcess, 60000);
    if (wait == kvl::RequestWait::PluginEnded || wait == kvl::RequestWait::Failed) return;
    if (wait != kvl::RequestWait::Request) continue;
    channel->resetRequest();
    unsigned char* block = channel->view();
    std::uint32_t command = 0;
    if (block != nullptr) std::memcpy(&command, block, sizeof command);
    if (command == static_cast<std::uint32_t>(kvl::SoundCommand::StopUnload)) {
      std::ofstream("ended mid-command") << "stop\n";
      return;
    }
    if (command == static_cast<std::uint32_t>(kvl::SoundCommand::Load) && block != nullptr) {
      kvl::SoundResults results{};
      results.engineInt = 1;
      results.gearInt = 1;
      results.turbo = 1;
      std::memset(block, 0xEE, kvl::SoundRecord::kSize);
      std::memcpy(block + kvl::SoundRecord::kResultsOffset, &results, sizeof results);
    }
    channel->setReply();
  }
}

}  // namespace

int main(int argc, char** argv) {
  return kvl::runDaemon(argc, argv, "32-bit", kvl::SoundRecord::kSize, serve);
}
