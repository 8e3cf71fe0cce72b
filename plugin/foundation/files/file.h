#pragma once
#include <string>

namespace kvl::io {

// A path split into its directory and its last component. Both "\" and "/" separate; joined
// paths use "\". Splitting and joining are plain text work; `fullPath` and `exists` ask the
// operating system and are part of the Windows build only.
class File {
 public:
  File();
  File(const char* path);  // a null pointer leaves both parts empty
  File(const std::string& path);
  File(const File& dir, const std::string& name);
  File(const File&) = default;
  File& operator=(const File&) = default;
  virtual ~File();

  void setPath(const std::string& path);
  std::string directory() const;
  std::string name() const;
  // directory + "\" + name, or just the name when there is no directory.
  std::string path() const;
  // The absolute form of `path` (GetFullPathNameA, 4096 characters at most); empty on failure.
  std::string fullPath() const;
  // The file or folder exists at the full path.
  bool exists() const;

 private:
  std::string directory_;
  std::string name_;
};

// True for "\" and "/".
inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace kvl::io
