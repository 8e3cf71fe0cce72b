#include "common/daemon/daemon_startup.h"

#include <iostream>

#include "common/daemon/daemon_arguments.h"
#include "common/daemon/daemon_channel.h"
#include "common/daemon/daemon_platform.h"
#include "common/daemon/version_banner.h"

namespace kvl {

void printDaemonBanner(const char* programPath, const std::string& bitsWord) {
  writeDaemonBanner(std::cout, programPath ? programPath : "", bitsWord, daemonPlatformName());
}

int runDaemon(int argc, char** argv, const std::string& bitsWord, size_t recordSize, const DaemonServe& serve) {
  if (argc < 6) {
    printDaemonBanner(argc > 0 ? argv[0] : "", bitsWord);
    return kDaemonExitStandalone;
  }
  DaemonArguments args;
  if (parseDaemonArguments(argc, argv, args) != DaemonArgumentsResult::Ok) return kDaemonExitBadArgument;

  auto channel = std::make_shared<InheritedChannel>(handleFromValue(args.mapping), handleFromValue(args.requestEvent),
                                                    handleFromValue(args.replyEvent), handleFromValue(args.mutex),
                                                    recordSize);
  serve(handleFromValue(args.pluginProcess), channel);
  channel.reset();
  return kDaemonExitNormal;
}

}  // namespace kvl
