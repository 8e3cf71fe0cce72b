#pragma once
// Points one import of a loaded module at a function of the host's: how the simulated host (and
// the test programs that stand in for it) catch what a plugin shows through user32 at start.
#include <windows.h>

#include <cstring>

namespace hostsim {

// Rewrites the module's import slot of DLL!NAME to REPLACEMENT. False when the module does not
// import that function by name.
inline bool redirectImport(HMODULE module, const char* dll, const char* name, const void* replacement) {
  auto* base = reinterpret_cast<unsigned char*>(module);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress == 0) return false;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      return true;
    }
  }
  return false;
}

}  // namespace hostsim
