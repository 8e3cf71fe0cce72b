#pragma once
// Reading one value of an ini file through the Windows profile functions.
#include <string>

namespace kvl {

class IniProfile {
 public:
  // The trimmed value, or the default text when the file or key is missing.
  static std::string get(const std::string& fileName, const std::string& section,
                         const std::string& key, const std::string& defaultText);
  // Empty for an empty name; else the name made absolute against the current directory, or
  // (when that fails) the name part looked up beside the running program.
  static std::string path(const std::string& fileName);
};

}  // namespace kvl
