#include "hostsim/plugin_loader.h"

#include <windows.h>

#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/draw_interface.h"

namespace hostsim {
namespace {

using Slot = void*;

int WINAPI tracedMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
  trace(std::string("messagebox caption=\"") + (caption ? caption : "") + "\" style=" + std::to_string(style));
  trace(std::string("messagebox text=\"") + (text ? text : "") + "\"");
  return IDOK;
}

// Points the module's import of user32!MessageBoxA at the tracing stand-in.
bool routeMessageBox(HMODULE module) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return false;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "MessageBoxA") != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&tracedMessageBox);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      return true;
    }
  }
  return false;
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
  if (!routeMessageBox(module)) trace("plugin does not import MessageBoxA");
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
