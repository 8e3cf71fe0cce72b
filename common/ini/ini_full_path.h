#pragma once
// The full path that an ini file's name is resolved to before every call of the system's profile
// functions, so that a relative name never lands in the Windows folder. The plugin and the sound
// daemon resolve names the same way, each with its own file class.
#include <string>

namespace kvl {

// In this order: an empty name gives the empty text; else the name made absolute against the
// current directory; else, when the file exists, its full path asked once more; else the name
// part of the file inside the running program's folder (`programFolder()`), made absolute.
// `File` is built from a text or from a directory File and a name, and answers `fullPath`
// (empty when it cannot be formed), `exists` and `name`.
template <typename File, typename ProgramFolder>
std::string iniFullPath(const std::string& fileName, ProgramFolder programFolder) {
  if (fileName.empty()) return std::string();
  const File file(fileName);
  std::string full = file.fullPath();
  if (!full.empty()) return full;
  if (file.exists()) return file.fullPath();
  return File(File(programFolder()), file.name()).fullPath();
}

}  // namespace kvl
