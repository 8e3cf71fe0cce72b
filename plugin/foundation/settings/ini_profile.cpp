#include "plugin/foundation/settings/ini_profile.h"

#include <windows.h>

#include <vector>

#include "common/ini/ini_full_path.h"
#include "common/ini/ini_name_lists.h"
#include "plugin/foundation/files/file.h"
#include "plugin/foundation/files/module_path.h"
#include "plugin/foundation/settings/ini_value_text.h"

namespace kvl {

namespace {

constexpr DWORD kValueBufferSize = 4096;

}  // namespace

IniProfile::IniProfile(const std::string& fileName) : fileName_(fileName) {}

std::string IniProfile::fullPath() const {
  return iniFullPath<io::File>(fileName_, [] { return io::directoryOf(io::modulePath().c_str()); });
}

bool IniProfile::exists() const { return io::File(fullPath()).exists(); }

bool IniProfile::keys(const std::string& section, std::deque<std::string>& out) const {
  const std::string path = fullPath();
  if (!path.empty()) appendIniKeyNames(path, section, out);
  return true;
}

bool IniProfile::sections(std::deque<std::string>& out) const {
  const std::string path = fullPath();
  if (!path.empty()) appendIniSectionNames(path, out);
  return true;
}

std::string IniProfile::get(const std::string& section, const std::string& key, const std::string& defaultValue) const {
  std::vector<char> buffer(kValueBufferSize, '\0');
  const std::string path = fullPath();
  // Without a path the system would read its own folder: treat it as a missing file.
  if (path.empty()) return trimIniText(defaultValue.substr(0, kValueBufferSize - 2));
  const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                               kValueBufferSize - 1, path.c_str());
  if (count == 0) return std::string();
  buffer.back() = '\0';
  return trimIniText(std::string(buffer.data()));
}

bool IniProfile::set(const std::string& section, const std::string& key, const std::string& value) const {
  const std::string path = fullPath();
  // Without a path the system would write into its own folder.
  if (path.empty()) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

}  // namespace kvl
