// Feeds arbitrary bytes to the zip central-directory reader: once as a whole archive, and once with
// an end record appended that declares the input as the directory, so that the record walker sees
// arbitrary records without the fuzzer having to find a valid end record first.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "plugin/foundation/zip/zip_central_directory.h"

namespace {

class MemorySource : public kvl::ZipByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t size() const override { return size_; }
  bool readAt(uint64_t offset, void* buffer, size_t length) override {
    if (offset > size_ || length > size_ - offset) return false;
    if (length != 0) std::memcpy(buffer, data_ + offset, length);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

void put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& s, uint32_t v) {
  put16(s, v & 0xffff);
  put16(s, v >> 16);
}

void listAll(const uint8_t* data, size_t size) {
  MemorySource source(data, size);
  kvl::ZipCentralDirectory directory(source);
  if (!directory.open()) return;
  std::string name;
  bool ok = directory.readFirst(name);
  // Every record takes at least 46 bytes, so the walk ends at the end of the input.
  for (uint64_t i = 1; ok && i < directory.entryCount(); ++i) ok = directory.readNext(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  listAll(data, size);
  if (size < 2) return 0;
  std::string archive(reinterpret_cast<const char*>(data) + 2, size - 2);
  const uint32_t count = static_cast<uint32_t>(data[0] | (data[1] << 8));
  const uint32_t directorySize = static_cast<uint32_t>(archive.size());
  put32(archive, 0x06054b50);
  put16(archive, 0);
  put16(archive, 0);
  put16(archive, count);
  put16(archive, count);
  put32(archive, directorySize);
  put32(archive, 0);
  put16(archive, 0);
  listAll(reinterpret_cast<const uint8_t*>(archive.data()), archive.size());
  return 0;
}
