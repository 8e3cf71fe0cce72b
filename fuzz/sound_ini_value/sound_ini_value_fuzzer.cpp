// The sound daemon's ini value rules on arbitrary text (the settings file is edited by hand).
#include <cstddef>
#include <cstdint>
#include <string>

#include "daemons/sound/ini_value.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string trimmed = kvl::trimIniText(text);
  kvl::parseIniBool(trimmed);
  kvl::parseIniUnsigned(trimmed);
  const float value = kvl::parseIniFloat(trimmed);
  kvl::iniFloatText(value);
  if (size >= 4) {
    uint32_t car = 0;
    for (int i = 0; i < 4; ++i) car = (car << 8) | data[i];
    kvl::carSectionName(car);
  }
  return 0;
}
