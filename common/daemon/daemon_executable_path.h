#pragma once
// Where a client finds its daemon: Plugins/QZR/bin/<architecture>/ under the folder of the
// process's executable.
#include <string>

namespace kvl {

std::string daemonExecutablePath(const std::string& executableName);

}  // namespace kvl
