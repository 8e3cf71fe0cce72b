#pragma once
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace kvl::tools {

// A writable run of bytes: a file or a block of memory.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all n bytes; false (and failed() from then on) when that did not succeed.
  virtual bool write(const void* data, std::size_t n) = 0;
  virtual bool failed() const = 0;
  virtual int error() const = 0;
};

class MemoryByteSink final : public ByteSink {
 public:
  bool write(const void* data, std::size_t n) override;
  bool failed() const override { return false; }
  int error() const override { return 0; }
  std::vector<unsigned char> bytes;
};

// A file opened for binary writing, created or cut to length 0. A file that cannot be opened
// gives a sink that has failed from the start.
class FileByteSink final : public ByteSink {
 public:
  explicit FileByteSink(const std::string& path);
  ~FileByteSink() override;
  FileByteSink(const FileByteSink&) = delete;
  FileByteSink& operator=(const FileByteSink&) = delete;
  bool write(const void* data, std::size_t n) override;
  bool failed() const override { return error_ != 0; }
  int error() const override { return error_; }
  // Flushes and closes the file; false when that failed (the sink has then failed).
  bool close();

 private:
  std::unique_ptr<char[]> buffer_;  // the stream's buffer (see FileByteSource)
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

}  // namespace kvl::tools
