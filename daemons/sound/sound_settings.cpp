#include "daemons/sound/sound_settings.h"

#include "daemons/sound/file_path.h"
#include "daemons/sound/ini_profile.h"
#include "daemons/sound/ini_value.h"
#include "daemons/sound/text_conversion.h"

namespace kvl {

namespace {
const char kFolder[] = "AudioFMOD";
const char kSettings[] = "Settings";

std::string read(const std::string& section, const char* key, const std::string& defaultText) {
  return IniProfile::get(audioFmodIniPath(), section, key, defaultText);
}
}  // namespace

std::string audioFmodIniPath() { return io::File(io::File(kFolder), "AudioFMOD.ini").fullPath(); }

bool readEnableLiveUpdate() {
  return parseIniBool(read(kSettings, "enableLiveUpdate", iniBoolText(false)));
}

unsigned readProfilePort() {
  return parseIniUnsigned(read(kSettings, "profilePort", iniUnsignedText(0)));
}

std::string readBankName(unsigned carIndex) {
  return read(carSectionName(carIndex), "bankName", std::string());
}

float readMasterVolume(unsigned carIndex) {
  return parseIniFloat(read(carSectionName(carIndex), "masterVolume", iniFloatText(1.0f)));
}

std::string bankFilePath(const std::string& systemFileName) {
  // The ini layer yields the name in the system code page: the path is built in that code
  // page and converted to UTF-8 once, as the library expects.
  if (systemFileName.empty()) return std::string();
  const std::string full = io::File(io::File(kFolder), systemFileName).fullPath();
  if (full.empty()) return std::string();
  return systemToUtf8(full);
}

}  // namespace kvl
