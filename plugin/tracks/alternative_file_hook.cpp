#include "plugin/tracks/alternative_file_hook.h"

#include <string>

#include "common/lbs/lb2_loader.h"
#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/host/binding/call_through.h"

namespace kvl::tracks {

std::int32_t QZR_THISCALL alternativeFileHook(void* object, const char* name) noexcept {
  using Open = std::int32_t(QZR_THISCALL*)(void*, const char*);
  std::string variant;
  try {
    if (name != nullptr && *name != '\0' && !PlaceholderBoolOption(false).read()) {
      variant = name;
      variant.back() = 'x';
      if (!fileExists(variant)) variant.clear();
    }
  } catch (...) {
    variant.clear();
  }
  try {
    return host::hostFunction<0x4FFC60, Open>()(object, variant.empty() ? name : variant.c_str());
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::tracks
