// Korvala_SSE.exe, the simulated host: paints its address region, loads its two modules, builds
// its event hub, then runs a scenario against the plugin.
//   Korvala_SSE.exe [--scenario FILE] [--trace FILE] [--temp FOLDER]
// --temp gives this run a temporary folder of its own (TEMP and TMP), so runs side by side do not
// share the files a plugin keeps there.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "hostsim/address_table.h"
#include "hostsim/car_model.h"
#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/host_layout.h"
#include "hostsim/frame_loop.h"
#include "hostsim/host_objects.h"
#include "hostsim/scenario.h"

namespace {

std::uint32_t loadModule(const char* name, std::uint32_t expectedBase) {
  HMODULE module = LoadLibraryA(name);
  const auto base = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(module));
  hostsim::trace(std::string("host module ") + name + (base == expectedBase ? " at its base" : " MOVED or missing"));
  return base;
}

void useTemporaryFolder(const char* folder) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(folder, MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return;
  CreateDirectoryA(full, nullptr);
  SetEnvironmentVariableA("TEMP", full);
  SetEnvironmentVariableA("TMP", full);
}

// A fault that nothing handles ends the run at once with where it happened (instead of the
// system's debugger waiting): "host fault CODE at MODULE+OFFSET address ADDRESS".
LONG WINAPI traceFault(EXCEPTION_POINTERS* e) {
  const EXCEPTION_RECORD& r = *e->ExceptionRecord;
  char module[MAX_PATH] = "?";
  HMODULE base = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCSTR>(r.ExceptionAddress), &base);
  if (base != nullptr) GetModuleFileNameA(base, module, sizeof module);
  const char* name = std::strrchr(module, '\\');
  char text[400];
  std::snprintf(text, sizeof text, "host fault %08lx at %s+%lx address %08lx", static_cast<unsigned long>(r.ExceptionCode),
                name != nullptr ? name + 1 : module,
                static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(r.ExceptionAddress) -
                                           reinterpret_cast<std::uintptr_t>(base)),
                static_cast<unsigned long>(r.NumberParameters > 1 ? r.ExceptionInformation[1] : 0));
  hostsim::trace(text);
  TerminateProcess(GetCurrentProcess(), 99);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scenarioPath, tracePath;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--scenario") scenarioPath = argv[i + 1];
    else if (option == "--trace") tracePath = argv[i + 1];
    else if (option == "--temp") useTemporaryFolder(argv[i + 1]);
  }
  hostsim::markHostThread();
  SetUnhandledExceptionFilter(&traceFault);
  if (!tracePath.empty()) hostsim::openTrace(tracePath);

  const auto self = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr));
  if (self != hostsim::kImageBase) {
    hostsim::trace("host image not at 0x400000");
    return 2;
  }
  hostsim::createEventHub();
  hostsim::addHostListener(hostsim::kGameStateSource);
  const auto spindle = loadModule("Spindle3D.DLL", hostsim::kSpindleBase);
  const auto railwise = loadModule("Railwise.DLL", hostsim::kRailwiseBase);
  hostsim::recordModuleBases(spindle, railwise);
  // After the modules: some rows lie in their ranges.
  hostsim::paintRegion();
  hostsim::loadStockCar();
  hostsim::createHostWindow();

  if (scenarioPath.empty()) {
    std::istringstream steps("create\nname\nstate 0\nframe\nshutdown\n");
    return hostsim::runScenario(steps);
  }
  std::ifstream steps(scenarioPath);
  if (!steps) {
    hostsim::trace("no scenario " + scenarioPath);
    return 3;
  }
  const int code = hostsim::runScenario(steps);
  hostsim::trace("host exit " + std::to_string(code));
  return code;
}
