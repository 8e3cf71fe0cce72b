#include "tools/cleaver/byte_sink.h"

#include <cerrno>
#include <cstring>

namespace kvl::tools {

namespace {
// Large sequential writes: the system sees the file in pieces of 1 MiB.
constexpr std::size_t kBlockBytes = 1 << 20;
}

bool MemoryByteSink::write(const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  bytes.insert(bytes.end(), p, p + n);
  return true;
}

unsigned char* MemoryByteSink::room(std::size_t n) {
  roomStart_ = bytes.size();
  bytes.resize(roomStart_ + n);
  return bytes.data() + roomStart_;
}

bool MemoryByteSink::commit(std::size_t n) {
  bytes.resize(roomStart_ + n);
  return true;
}

FileByteSink::FileByteSink(const std::string& path) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) {
    error_ = errno ? errno : EIO;
    return;
  }
  // The block is the only buffer: the stream hands each block to the system as it is.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  block_.reset(new unsigned char[kBlockBytes]);
}

FileByteSink::~FileByteSink() { close(); }

bool FileByteSink::writeBlock() {
  if (!file_ || error_) return false;
  if (used_ == 0) return true;
  errno = 0;
  if (std::fwrite(block_.get(), 1, used_, file_) != used_) {
    error_ = errno ? errno : EIO;
    return false;
  }
  used_ = 0;
  return true;
}

bool FileByteSink::write(const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  while (n > 0) {
    unsigned char* into = room(n < kMaxRoom ? n : kMaxRoom);
    if (!into) return false;
    const std::size_t piece = n < kMaxRoom ? n : kMaxRoom;
    std::memcpy(into, p, piece);
    commit(piece);
    p += piece;
    n -= piece;
  }
  return !error_;
}

unsigned char* FileByteSink::room(std::size_t n) {
  if (!file_ || error_ || n > kMaxRoom) return nullptr;
  if (used_ + n > kBlockBytes && !writeBlock()) return nullptr;
  return block_.get() + used_;
}

bool FileByteSink::commit(std::size_t n) {
  if (!file_ || error_) return false;
  used_ += n;
  return true;
}

bool FileByteSink::close() {
  if (!file_) return !error_;
  writeBlock();
  errno = 0;
  const bool closed = std::fclose(file_) == 0;
  if (!closed && !error_) error_ = errno ? errno : EIO;
  file_ = nullptr;
  return !error_;
}

}  // namespace kvl::tools
