#pragma once
#include <deque>
#include <string>

namespace kvl {

// Reads and writes one ini file through the system's profile functions. The file name is
// resolved to a full path before every call, so that a relative name never lands in the
// Windows folder. Keeps no state between calls; never throws for file problems.
class IniProfile {
 public:
  explicit IniProfile(const std::string& fileName);

  // The absolute path used for every call; empty for an empty file name.
  std::string fullPath() const;
  bool exists() const;
  // Appends the key names of the section in file order; always true.
  bool keys(const std::string& section, std::deque<std::string>& out) const;
  // Appends the section names in file order; always true.
  bool sections(std::deque<std::string>& out) const;
  // The trimmed value (at most 4094 characters read), the trimmed default when the key or the
  // file is missing, or the empty text when the key's value is empty.
  std::string get(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // Writes the value (creating file, section or key); true when the write succeeded.
  bool set(const std::string& section, const std::string& key, const std::string& value) const;

 private:
  std::string fileName_;
};

}  // namespace kvl
