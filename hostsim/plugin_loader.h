#pragma once
// Loads Plugins/QZR.dll the way the host loads its plugins and talks to the plugin object
// through the host's nine-slot interface.
#include <cstdint>
#include <string>

namespace hostsim {

class LoadedPlugin {
 public:
  // Loads the library, routes its MessageBoxA import to the trace, its ExitProcess import
  // through the stray-word check and its thread starts through hostsim/thread_starts.h, and calls
  // KVL_CreatePlugin with the host's draw interface. False (with the reason traced) when any step fails.
  bool create(const std::string& path);

  std::string name() const;              // slot 1
  void draw() const;                     // slot 2
  void input(std::uint32_t character) const;  // slot 4 (six words, the first the character)
  void* object() const { return object_; }

 private:
  void* module_ = nullptr;
  void* object_ = nullptr;
};

}  // namespace hostsim
