// Runs the plugin's export body the way the host does, in a process of its own, so that a test
// can watch it end the process: the message box is routed to standard output.
//   entry_probe [--failing-page]
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "plugin/host/entry/plugin_entry.h"
#include "plugin/host/entry/plugin_object.h"
#include "hostsim/import_redirect.h"
#include "tests/support/host_paint.h"

namespace {

int WINAPI printedMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
  std::printf("caption=%s\nstyle=%u\ntext=%s\n", caption, style, text);
  std::fflush(stdout);
  return IDOK;
}

kvl::FrontEndPage* refusingPage() { throw std::runtime_error("status page refused"); }

}  // namespace

int main(int argc, char** argv) {
  hostsim::redirectImport(GetModuleHandleA(nullptr), "user32.dll", "MessageBoxA",
                          reinterpret_cast<const void*>(&printedMessageBox));
  // The host stand-in from the probe's folder, so host addresses resolve somewhere harmless.
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.erase(folder.find_last_of("\\/") + 1);
  HMODULE host = LoadLibraryA((folder + "Korvala_SSE.exe").c_str());
  if (host != nullptr) {
    kvl::testing::paintRuntimeMalloc(host);
    kvl::testing::paintRecordConstructor(host);
  }
  if (argc > 1 && std::string(argv[1]) == "--failing-page") kvl::PluginObject::createStatusPage = refusingPage;
  void* object = kvl::createPlugin(nullptr);
  std::printf("created=%s\n", object != nullptr ? "yes" : "no");
  return 0;
}
