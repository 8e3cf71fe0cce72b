#include "daemons/sound/ini_profile.h"

#include <windows.h>

#include <vector>

#include "common/ini/ini_full_path.h"
#include "daemons/sound/file_path.h"
#include "daemons/sound/ini_value.h"

namespace kvl {

std::string IniProfile::get(const std::string& fileName, const std::string& section,
                            const std::string& key, const std::string& defaultText) {
  std::vector<char> buffer(4096, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                                buffer.data(), 4095, path(fileName).c_str());
  if (length == 0) return std::string();
  return trimIniText(std::string(buffer.data(), length));
}

std::string IniProfile::path(const std::string& fileName) {
  return iniFullPath<io::File>(fileName, [] {
    char module[261] = {};
    GetModuleFileNameA(nullptr, module, 260);
    return io::File(module).directory();
  });
}

}  // namespace kvl
