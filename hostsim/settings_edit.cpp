#include "hostsim/settings_edit.h"

#include <windows.h>

#include "hostsim/call_trace.h"

namespace hostsim {

bool runSettingsEditStep(const std::string& step, std::istream& in) {
  if (step != "inikey") return false;
  std::string section, key, value;
  in >> section >> key >> value;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  const std::string file = std::string(folder) + "\\Korvala.ini";
  const bool written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
  trace("host settings " + key + (written ? " written" : " not written"));
  return true;
}

}  // namespace hostsim
