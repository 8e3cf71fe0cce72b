// Runs the plugin's export body the way the host does, in a process of its own, so that a test
// can watch it end the process: the message box is routed to standard output.
//   entry_probe [--failing-page]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "plugin/host/entry/plugin_entry.h"
#include "plugin/host/entry/plugin_object.h"

namespace {

int WINAPI printedMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
  std::printf("caption=%s\nstyle=%u\ntext=%s\n", caption, style, text);
  std::fflush(stdout);
  return IDOK;
}

void routeMessageBox() {
  auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name != 0; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "MessageBoxA") != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&printedMessageBox);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
    }
  }
}

kvl::FrontEndPage* refusingPage() { throw std::runtime_error("status page refused"); }

}  // namespace

int main(int argc, char** argv) {
  routeMessageBox();
  // The host stand-in from the probe's folder, so host addresses resolve somewhere harmless.
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.erase(folder.find_last_of("\\/") + 1);
  LoadLibraryA((folder + "Korvala_SSE.exe").c_str());
  if (argc > 1 && std::string(argv[1]) == "--failing-page") kvl::PluginObject::createStatusPage = refusingPage;
  void* object = kvl::createPlugin(nullptr);
  std::printf("created=%s\n", object != nullptr ? "yes" : "no");
  return 0;
}
