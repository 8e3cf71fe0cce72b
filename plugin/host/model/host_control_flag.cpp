#include "plugin/host/model/host_control_flag.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

std::int32_t hostControlFlag(std::int32_t which) {
  return hostFunction<0x5403E0, std::int32_t(QZR_CDECL*)(std::int32_t)>()(which);
}

}  // namespace kvl::host
