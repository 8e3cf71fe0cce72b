// QzrTelemetryDaemon: keeps the telemetry rows the plugin sends and writes them to
// tab-separated files on request.
#include "common/daemon/daemon_startup.h"
#include "daemons/recorder/recorder_server.h"

int main(int argc, char** argv) {
  return kvl::runDaemon(argc, argv, "32-bit", kvl::RecorderCommandRecord::kSize,
                        [](HANDLE pluginProcess, std::shared_ptr<kvl::InheritedChannel> channel) {
                          kvl::RecorderServer server(channel, pluginProcess);
                          server.commandLoop();
                        });
}
