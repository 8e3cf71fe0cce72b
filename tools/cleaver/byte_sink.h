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
  // Room for the next n bytes (n at most kMaxRoom) inside the sink, to be filled and then handed
  // over with commit(count filled): a copy (or a read from a file) straight into place. Null
  // when the sink has failed.
  static constexpr std::size_t kMaxRoom = 1 << 18;
  virtual unsigned char* room(std::size_t n) = 0;
  virtual bool commit(std::size_t n) = 0;
  virtual bool failed() const = 0;
  virtual int error() const = 0;
};

class MemoryByteSink final : public ByteSink {
 public:
  bool write(const void* data, std::size_t n) override;
  unsigned char* room(std::size_t n) override;
  bool commit(std::size_t n) override;
  bool failed() const override { return false; }
  int error() const override { return 0; }
  std::vector<unsigned char> bytes;

 private:
  std::size_t roomStart_ = 0;
};

// A new file for binary writing, written to the system in pieces of 1 MiB from a block of its own.
// The name must be free: a sink whose file exists already, or cannot be created, has failed from
// the start and has touched nothing.
class FileByteSink final : public ByteSink {
 public:
  explicit FileByteSink(const std::string& path);
  ~FileByteSink() override;
  FileByteSink(const FileByteSink&) = delete;
  FileByteSink& operator=(const FileByteSink&) = delete;
  bool write(const void* data, std::size_t n) override;
  unsigned char* room(std::size_t n) override;
  bool commit(std::size_t n) override;
  bool failed() const override { return error_ != 0; }
  int error() const override { return error_; }
  // Writes what the block holds and closes the file; false when that failed (the sink has then
  // failed).
  bool close();

 private:
  // Writes the block's bytes to the file; false on a failure.
  bool writeBlock();

  std::unique_ptr<unsigned char[]> block_;
  std::size_t used_ = 0;
  std::FILE* file_ = nullptr;
  int error_ = 0;
};

}  // namespace kvl::tools
