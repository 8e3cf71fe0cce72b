#include "plugin/host/model/object_update_hook.h"

namespace kvl::host {

// Nothing of an object is kept or changed: a null object and any other go through alike.
void updateObject(void*) noexcept {}

void QZR_THISCALL objectUpdateHook(void* object) noexcept { updateObject(object); }

}  // namespace kvl::host
