#include "plugin/foundation/buffers/file_buffer.h"

#include <cstdint>
#include <cstring>

#include "plugin/foundation/buffers/process_heap.h"

namespace kvl {

bool FileBuffer::reserve(int n) {
  if (size_ < n) {
    release();
    void* block = processHeapAllocate(static_cast<size_t>(n));
    if (block != nullptr) {
      data_ = static_cast<uint8_t*>(block);
      size_ = n;
    }
  }
  position_ = 0;
  return data_ != nullptr;
}

bool FileBuffer::readFrom(std::istream& stream, int n) {
  if (n < 0) return false;
  if (!reserve(n)) return n == 0;
  std::memset(data_, 0, static_cast<size_t>(n));
  stream.read(reinterpret_cast<char*>(data_), n);
  return stream.gcount() == n;
}

bool FileBuffer::fill(const uint8_t* bytes, size_t n) {
  if (n > static_cast<size_t>(INT32_MAX)) return false;
  if (!reserve(static_cast<int>(n))) return n == 0;
  if (n > 0) std::memcpy(data_, bytes, n);
  return true;
}

void FileBuffer::release() {
  processHeapRelease(data_);
  data_ = nullptr;
  position_ = 0;
  size_ = 0;
}

}  // namespace kvl
