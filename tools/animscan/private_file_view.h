#pragma once
// A file's bytes as a private, writable view: the checker mends the data it inspects in memory,
// and those changes never reach the file. Pages the checker never touches are never read, which
// makes the check of a large file cost little more than the parts it walks.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/animscan/animscan_run.h"

namespace kvl::tools {

class PrivateFileView {
 public:
  // Maps the whole file copy-on-write; when that is not possible (an empty file, a device, no
  // address space left) the file is read into memory instead. Empty when it cannot be opened.
  // Throws when it does not fit in memory either way.
  explicit PrivateFileView(const std::string& path);
  ~PrivateFileView();
  PrivateFileView(const PrivateFileView&) = delete;
  PrivateFileView& operator=(const PrivateFileView&) = delete;

  uint8_t* data() { return mapped_ ? mapped_ : read_.bytes.get(); }
  std::size_t size() const { return mapped_ ? mappedSize_ : read_.size; }
  bool mapped() const { return mapped_ != nullptr; }

 private:
  uint8_t* mapped_ = nullptr;
  std::size_t mappedSize_ = 0;
  FileContent read_;
};

}  // namespace kvl::tools
