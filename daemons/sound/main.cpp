// QzrFmodDaemon: the sound server the plugin starts beside the game.
#include "common/daemon/daemon_startup.h"
#include "common/sound/sound_record.h"
#include "daemons/sound/sound_server.h"

int main(int argc, char** argv) {
  return kvl::runDaemon(argc, argv, "64-bit", kvl::SoundRecord::kSize,
                        [](HANDLE plugin, std::shared_ptr<kvl::InheritedChannel> channel) {
                          kvl::SoundServer server(reinterpret_cast<uintptr_t>(plugin), channel);
                          server.run();
                        });
}
