#include "tools/cleaver/byte_sink.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kvl::tools {

namespace {
// Large sequential writes: the system sees the file in pieces of 1 MiB.
constexpr std::size_t kBlockBytes = 1 << 20;

// Creates a file for binary writing. It must not exist yet: a file of that name is never opened,
// cut or replaced, since it is not this program's. (An exclusive create also spares Wine's cut of
// a new file, after which ext4 writes all of the file's data back inside the closing call.)
std::FILE* createForWriting(const std::string& path) {
#ifdef _WIN32
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  if (std::FILE* file = _fdopen(fd, "wb")) return file;
  const int error = errno;
  _close(fd);
  _unlink(path.c_str());
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return nullptr;
  if (std::FILE* file = fdopen(fd, "wb")) return file;
  const int error = errno;
  close(fd);
  unlink(path.c_str());
#endif
  errno = error;
  return nullptr;
}
}  // namespace

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
  file_ = createForWriting(path);
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
