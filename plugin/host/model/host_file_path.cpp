#include "plugin/host/model/host_file_path.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void HostFilePath::construct(void* path, const void* source) {
  hostFunction<0x406690, void(QZR_THISCALL*)(void*, const void*)>()(path, source);
}

void HostFilePath::destroy(void* path) { hostFunction<0x4066E0, void(QZR_THISCALL*)(void*)>()(path); }

}  // namespace kvl::host
