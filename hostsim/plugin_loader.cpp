#include "hostsim/plugin_loader.h"

#include <windows.h>

#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/draw_interface.h"
#include "hostsim/import_redirect.h"
#include "hostsim/stray_words.h"
#include "hostsim/thread_starts.h"

namespace hostsim {
namespace {

using Slot = void*;

int WINAPI tracedMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
  trace(std::string("messagebox caption=\"") + (caption ? caption : "") + "\" style=" + std::to_string(style));
  trace(std::string("messagebox text=\"") + (text ? text : "") + "\"");
  return IDOK;
}

// A plugin that ends the process ends the scenario: the stray words are traced first.
void WINAPI tracedExitProcess(UINT code) {
  traceStrayWords();
  ExitProcess(code);
}

Slot slotOf(void* object, int i) { return (*static_cast<Slot* const*>(object))[i]; }

}  // namespace

bool LoadedPlugin::create(const std::string& path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    trace("plugin load failed " + path + " error " + std::to_string(GetLastError()));
    return false;
  }
  module_ = module;
  if (!redirectImport(module, "user32.dll", "MessageBoxA", reinterpret_cast<const void*>(&tracedMessageBox))) trace("plugin does not import MessageBoxA");
  redirectImport(module, "kernel32.dll", "ExitProcess", reinterpret_cast<const void*>(&tracedExitProcess));
  watchThreadStarts(module);
  using Create = void*(__cdecl*)(void*);
  auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(module, "KVL_CreatePlugin")));
  if (create == nullptr) {
    trace("plugin has no KVL_CreatePlugin");
    return false;
  }
  object_ = create(hostDrawInterface());
  trace(object_ != nullptr ? "plugin created" : "plugin returned null");
  return object_ != nullptr;
}

std::string LoadedPlugin::name() const {
  using Name = const char*(__attribute__((thiscall))*)(void*);
  const char* text = reinterpret_cast<Name>(slotOf(object_, 1))(object_);
  return text != nullptr ? text : "";
}

void LoadedPlugin::draw() const {
  using Draw = void(__attribute__((thiscall))*)(void*);
  reinterpret_cast<Draw>(slotOf(object_, 2))(object_);
}

void LoadedPlugin::input(std::uint32_t character) const {
  using Input = void(__attribute__((thiscall))*)(void*, std::uint32_t, std::uint32_t, std::uint32_t,
                                                  std::uint32_t, std::uint32_t, std::uint32_t);
  reinterpret_cast<Input>(slotOf(object_, 4))(object_, character, 0, 0, 0, 0, 0);
}

}  // namespace hostsim
