#pragma once
#include <windows.h>

#include <string>

namespace kvl::io {

// Keeps a file open (read sharing only, so nobody can write it meanwhile) to tell later
// whether it is still the same, unchanged file. Held through a shared pointer; closes its
// handle when destroyed.
class FileHandle {
 public:
  FileHandle();
  ~FileHandle();
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Opens an existing file for reading and remembers its information; false on any failure.
  bool open(const std::string& path);
  // Refreshes the remembered information; false when no file is open or the query fails.
  bool queryInformation();
  // Same last-write time, volume, size and file index as when it was opened.
  bool isUnchanged() const;

 private:
  void close();

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  BY_HANDLE_FILE_INFORMATION information_{};
};

}  // namespace kvl::io
