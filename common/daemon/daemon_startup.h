#pragma once
// The start-up both daemons share: banner and 42 without arguments, 666 for a handle value
// that is not a number, otherwise attach to the channel and run the daemon's own server.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "common/daemon/inherited_channel.h"

namespace kvl {

// Prints the banner with this process's platform name to standard output.
void printDaemonBanner(const char* programPath, const std::string& bitsWord);

// The daemon's own part: runs its command loop until the plugin's process ends or it is told
// to quit.
using DaemonServe = std::function<void(HANDLE pluginProcess, std::shared_ptr<InheritedChannel> channel)>;

// The whole entry function: returns the exit code (0, 42 or 666).
int runDaemon(int argc, char** argv, const std::string& bitsWord, size_t recordSize, const DaemonServe& serve);

}  // namespace kvl
