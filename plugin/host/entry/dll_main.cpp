// The library's entry point and its export. The entry point does no work and starts no thread.
#include <windows.h>

#include "plugin/host/entry/plugin_entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}

// The host's entry call: caller cleans the stack, exported undecorated through qzr.def.
extern "C" __cdecl void* KVL_CreatePlugin(void* host) { return kvl::createPlugin(host); }
