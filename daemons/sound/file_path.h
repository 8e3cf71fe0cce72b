#pragma once
// A path held as a directory and a name, as the plugin's file layer holds it.
#include <string>

namespace kvl {
namespace io {

class File {
 public:
  // Splits at the last "\" or "/"; without a separator the whole text is the name.
  explicit File(const std::string& path);
  File(const File& directory, const std::string& name);

  const std::string& directory() const { return directory_; }
  const std::string& name() const { return name_; }
  // directory + "\" + name, or just the name when the directory is empty.
  std::string path() const;
  // The absolute path against the current directory; empty when it cannot be formed.
  std::string fullPath() const;
  // The file or folder exists at the full path (false when there is none).
  bool exists() const;

 private:
  std::string directory_;
  std::string name_;
};

}  // namespace io
}  // namespace kvl
