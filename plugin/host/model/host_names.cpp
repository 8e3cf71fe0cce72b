#include "plugin/host/model/host_names.h"

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/call_through.h"

namespace kvl::host {

std::uint32_t hostNameId(const char* name) {
  return hostFunction<0x5021B0, std::uint32_t(QZR_STDCALL*)(const char*)>()(name);
}

}  // namespace kvl::host
