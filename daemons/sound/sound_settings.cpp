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

std::string bankFilePath(const std::string& utf8FileName) {
  // The ini file holds the name in UTF-8: it is joined with the folder in the system code page,
  // as the file system's narrow names are, and the whole path goes back to UTF-8 for the library.
  const std::string systemName = utf8ToSystem(utf8FileName);
  if (systemName.empty()) return std::string();
  const std::string full = io::File(io::File(kFolder), systemName).fullPath();
  if (full.empty()) return std::string();
  return systemToUtf8(full);
}

}  // namespace kvl
