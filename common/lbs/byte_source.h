#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace kvl::tracks {

// A readable, seekable run of bytes of known size: a file or a block of memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  virtual uint64_t position() const = 0;
  // Moves to an absolute position (at most size()); false on a failure.
  virtual bool seek(uint64_t position) = 0;
  // Reads up to n bytes; fewer at the end of the data or on a failure.
  virtual std::size_t read(void* destination, std::size_t n) = 0;
  // A read, seek or open failure happened (not the end of the data); error() is its errno.
  virtual bool failed() const = 0;
  virtual int error() const = 0;
};

class MemoryByteSource final : public ByteSource {
 public:
  MemoryByteSource(const void* data, std::size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  uint64_t size() const override { return size_; }
  uint64_t position() const override { return pos_; }
  bool seek(uint64_t position) override;
  std::size_t read(void* destination, std::size_t n) override;
  bool failed() const override { return false; }
  int error() const override { return 0; }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A file opened for binary reading without a sharing restriction, read from the system in
// pieces of bufferBytes. A file that cannot be opened gives a source that has failed from the
// start.
class FileByteSource final : public ByteSource {
 public:
  static constexpr std::size_t kDefaultBufferBytes = 1 << 16;
  explicit FileByteSource(const std::string& path, std::size_t bufferBytes = kDefaultBufferBytes);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  uint64_t size() const override { return size_; }
  uint64_t position() const override { return pos_; }
  bool seek(uint64_t position) override;
  std::size_t read(void* destination, std::size_t n) override;
  bool failed() const override { return error_ != 0; }
  int error() const override { return error_; }

 private:
  // The stream's buffer, given by us: glibc keeps its own small one when asked for a size alone.
  std::unique_ptr<char[]> buffer_;
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
  int error_ = 0;
};

// 64-bit positioning on the C library's streams, the same on every platform.
bool seekFile(std::FILE* file, int64_t offset, int origin);
int64_t tellFile(std::FILE* file);

}  // namespace kvl::tracks
