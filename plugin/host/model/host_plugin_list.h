#pragma once
// The host's list of loaded plugins (pointer in host global 0x7D9B34) and the loading of the
// plugin libraries of a folder into it.
#include <string>

namespace kvl::host {

class HostPluginList {
 public:
  // Null while the host has none.
  static void* instance();
  // Loads every "*.dll" of the folder (no trailing separator) through the host's plugin loader
  // and appends each library that loads to the host's list; one that fails is destroyed and its
  // entry released. A missing folder loads nothing.
  static void loadPluginDlls(const std::string& folder);
};

}  // namespace kvl::host
