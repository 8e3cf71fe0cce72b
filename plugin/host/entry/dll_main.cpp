// The library's entry point and its export. The entry point does no work and starts no thread.
#include <windows.h>

#include "plugin/gui/overlay_text_fitting.h"
#include "plugin/gui/status_page.h"
#include "plugin/host/entry/plugin_entry.h"
#include "plugin/host/entry/plugin_object.h"
#include "plugin/host/workers/periodic_worker.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  // At process exit the system has ended every other thread before the library's objects go.
  if (reason == DLL_PROCESS_DETACH && reserved != nullptr) kvl::host::PeriodicWorker::setProcessExiting();
  return TRUE;
}

// The host's entry call: caller cleans the stack, exported undecorated through qzr.def. The
// plugin object shows the overlay status page as its front-end page; the overlay's sized texts are
// fitted by the host's menu renderer.
extern "C" __cdecl void* KVL_CreatePlugin(void* host) {
  kvl::PluginObject::createStatusPage = &kvl::gui::StatusPage::create;
  kvl::gui::useHostTextFitting();
  return kvl::createPlugin(host);
}
