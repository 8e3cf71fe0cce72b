#include "plugin/host/model/host_small_bindings.h"

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/call_through.h"

namespace kvl::host {

std::uint32_t HostFileSystem::fileExists(void* fileSystem, const void* nameRecord) {
  using Fn = std::uint32_t(QZR_THISCALL*)(void*, const void*);
  return tableEntry<Fn>(fileSystem, kFileExistsSlot)(fileSystem, nameRecord);
}

std::uint32_t HostFileSystem::fileSize(void* fileSystem, const char* name) {
  using Fn = std::uint32_t(QZR_THISCALL*)(void*, const char*);
  return tableEntry<Fn>(fileSystem, kFileSizeSlot)(fileSystem, name);
}

int HostFileSystem::readFile(void* fileSystem, const char* name, void* buffer, int size) {
  using Fn = int(QZR_THISCALL*)(void*, const char*, void*, int);
  return tableEntry<Fn>(fileSystem, kReadFileSlot)(fileSystem, name, buffer, size);
}

void HostTrackLoader::loadAnimData(void* loader, void* data) {
  hostFunction<0x479020, void(QZR_THISCALL*)(void*, void*)>()(loader, data);
}

}  // namespace kvl::host
