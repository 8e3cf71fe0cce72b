#include "tools/cleaver/byte_sink.h"

#include <cerrno>

namespace kvl::tools {

namespace {
// Large sequential writes: the system sees the file in pieces of 1 MiB.
constexpr std::size_t kFileBufferSize = 1 << 20;
}

bool MemoryByteSink::write(const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  bytes.insert(bytes.end(), p, p + n);
  return true;
}

FileByteSink::FileByteSink(const std::string& path) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    error_ = errno ? errno : EIO;
    return;
  }
  buffer_.reset(new char[kFileBufferSize]);
  std::setvbuf(file_, buffer_.get(), _IOFBF, kFileBufferSize);
}

FileByteSink::~FileByteSink() { close(); }

bool FileByteSink::write(const void* data, std::size_t n) {
  if (!file_ || error_) return false;
  if (n == 0) return true;
  errno = 0;
  if (std::fwrite(data, 1, n, file_) != n) {
    error_ = errno ? errno : EIO;
    return false;
  }
  return true;
}

bool FileByteSink::close() {
  if (!file_) return !error_;
  errno = 0;
  const bool flushed = std::fflush(file_) == 0;
  if (!flushed && !error_) error_ = errno ? errno : EIO;
  const bool closed = std::fclose(file_) == 0;
  if (!closed && !error_) error_ = errno ? errno : EIO;
  file_ = nullptr;
  return !error_;
}

}  // namespace kvl::tools
