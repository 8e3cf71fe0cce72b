#pragma once
// The callback shape host menu items take: they call `function` with `context`.
#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct CallbackPair {
  HostWord function = 0;
  HostWord context = 0;

  void setFunction(HostWord f) noexcept { function = f; }
  void setContext(HostWord c) noexcept { context = c; }
};
static_assert(sizeof(CallbackPair) == 8, "two host words");

}  // namespace kvl::host
