#include "plugin/host/model/object_update_hook.h"

namespace kvl::host {

void updateObject(void* object) noexcept {
  if (object == nullptr) return;
}

void QZR_THISCALL objectUpdateHook(void* object) noexcept { updateObject(object); }

}  // namespace kvl::host
