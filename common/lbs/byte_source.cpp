#include "common/lbs/byte_source.h"

#include <cerrno>
#include <cstring>

namespace kvl::tracks {

bool MemoryByteSource::seek(uint64_t position) {
  if (position > size_) return false;
  pos_ = static_cast<std::size_t>(position);
  return true;
}

std::size_t MemoryByteSource::read(void* destination, std::size_t n) {
  const std::size_t left = size_ - pos_;
  if (n > left) n = left;
  if (n) std::memcpy(destination, data_ + pos_, n);
  pos_ += n;
  return n;
}

bool seekFile(std::FILE* file, int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

int64_t tellFile(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

FileByteSource::FileByteSource(const std::string& path, std::size_t bufferBytes) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) {
    error_ = errno ? errno : EIO;
    return;
  }
  // Before any other use of the stream.
  buffer_.reset(new char[bufferBytes]);
  std::setvbuf(file_, buffer_.get(), _IOFBF, bufferBytes);
  int64_t end = -1;
  if (seekFile(file_, 0, SEEK_END)) end = tellFile(file_);
  if (end < 0 || !seekFile(file_, 0, SEEK_SET)) {
    error_ = errno ? errno : EIO;
    return;
  }
  size_ = static_cast<uint64_t>(end);
}

FileByteSource::~FileByteSource() {
  if (file_) std::fclose(file_);
}

bool FileByteSource::seek(uint64_t position) {
  if (!file_ || error_) return false;
  if (position > size_) return false;
  if (position == pos_) return true;
  if (!seekFile(file_, static_cast<int64_t>(position), SEEK_SET)) {
    error_ = errno ? errno : EIO;
    return false;
  }
  pos_ = position;
  return true;
}

std::size_t FileByteSource::read(void* destination, std::size_t n) {
  if (!file_ || error_) return 0;
  errno = 0;
  const std::size_t got = std::fread(destination, 1, n, file_);
  pos_ += got;
  if (got < n && std::ferror(file_)) error_ = errno ? errno : EIO;
  return got;
}

}  // namespace kvl::tracks
