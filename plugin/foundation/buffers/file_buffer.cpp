#include "plugin/foundation/buffers/file_buffer.h"

#include <cstring>

#include "plugin/foundation/buffers/process_heap.h"

namespace kvl {

bool FileBuffer::readFrom(std::istream& stream, int n) {
  if (n < 0) return false;
  if (size_ < n) {
    release();
    void* block = processHeapAllocate(static_cast<size_t>(n));
    if (block != nullptr) {
      data_ = static_cast<uint8_t*>(block);
      size_ = n;
    }
  }
  position_ = 0;
  if (data_ == nullptr) return n == 0;
  std::memset(data_, 0, static_cast<size_t>(n));
  stream.read(reinterpret_cast<char*>(data_), n);
  return stream.gcount() == n;
}

void FileBuffer::release() {
  processHeapRelease(data_);
  data_ = nullptr;
  position_ = 0;
  size_ = 0;
}

}  // namespace kvl
