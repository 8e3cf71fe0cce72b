#include "plugin/host/binding/host_map_iterator.h"

#include "plugin/host/binding/vc7_exception.h"

namespace kvl::host {

void checkMapErasePosition(const void* position, const void* end) noexcept {
  if (position == end) vc7::raiseOutOfRange("invalid map/set<T> iterator");
}

}  // namespace kvl::host
