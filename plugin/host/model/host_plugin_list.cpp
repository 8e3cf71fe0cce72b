#include "plugin/host/model/host_plugin_list.h"

#include <windows.h>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_allocators.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kEntrySize = 8;

void constructEntry(void* entry) { hostFunction<0x625BD0, void(QZR_THISCALL*)(void*)>()(entry); }
bool loadEntry(void* entry, const char* path) {
  return hostBool(hostFunction<0x625C10, std::uint8_t(QZR_THISCALL*)(void*, const char*)>()(entry, path));
}
void destroyEntry(void* entry) { hostFunction<0x625BE0, void(QZR_THISCALL*)(void*)>()(entry); }
void appendEntry(void* list, void* entry) {
  void* holder = entry;
  hostFunction<0x626480, void(QZR_THISCALL*)(void*, void**)>()(list, &holder);
}

}  // namespace

void* HostPluginList::instance() {
  return hostObject<0x7D9B34>();
}

void HostPluginList::loadPluginDlls(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::string path = folder + "\\" + found.cFileName;
    void* entry = hostRuntimeAlloc(kEntrySize);
    if (entry == nullptr) continue;  // no entry to load through: the file is skipped
    constructEntry(entry);
    void* list = instance();
    // Without the host's list a loaded library would belong to no one: it is not loaded.
    if (list != nullptr && loadEntry(entry, path.c_str())) {
      appendEntry(list, entry);
    } else {
      destroyEntry(entry);
      hostRuntimeRelease(entry);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace kvl::host
