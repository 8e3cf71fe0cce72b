#include "plugin/foundation/zip/zip_central_directory.h"

#include <limits>
#include <vector>

namespace kvl {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kRecordSignature = 0x02014b50;
constexpr uint64_t kSearchLength = 0xffff;
constexpr size_t kEndLength = 22;
constexpr size_t kZip64EndLength = 56;
constexpr size_t kZip64LocatorLength = 20;
constexpr size_t kRecordLength = 46;

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t u64(const uint8_t* p) { return static_cast<uint64_t>(u32(p)) | (static_cast<uint64_t>(u32(p + 4)) << 32); }

}  // namespace

uint64_t ZipCentralDirectory::findLast(uint32_t signature) {
  const uint64_t size = source_.size();
  const uint64_t back = size < kSearchLength ? size : kSearchLength;
  if (back < 4) return 0;
  std::vector<uint8_t> tail(static_cast<size_t>(back));
  const uint64_t start = size - back;
  if (!source_.readAt(start, tail.data(), tail.size())) return 0;
  for (size_t i = tail.size() - 4 + 1; i-- > 0;) {
    if (u32(&tail[i]) == signature) return start + i;
  }
  return 0;
}

// The zip64 end record named by a locator in the final 64 KiB; false when there is no usable one.
bool ZipCentralDirectory::readZip64End(uint64_t& position) {
  const uint64_t locator = findLast(kZip64LocatorSignature);
  if (locator == 0) return false;
  uint8_t l[kZip64LocatorLength];
  if (!source_.readAt(locator, l, sizeof l)) return false;
  if (u32(l + 4) != 0 || u32(l + 16) != 1) return false;
  const uint64_t end = u64(l + 8);
  uint8_t signature[4];
  if (!source_.readAt(end, signature, sizeof signature) || u32(signature) != kZip64EndSignature) return false;
  position = end;
  return true;
}

bool ZipCentralDirectory::open() {
  entryCount_ = 0;
  recordOk_ = false;
  uint64_t endPosition = 0;
  uint64_t directorySize = 0;
  if (readZip64End(endPosition)) {
    uint8_t e[kZip64EndLength];
    if (!source_.readAt(endPosition, e, sizeof e)) return false;
    const uint32_t disk = u32(e + 16);
    const uint32_t directoryDisk = u32(e + 20);
    const uint64_t entriesOnDisk = u64(e + 24);
    entryCount_ = u64(e + 32);
    directorySize = u64(e + 40);
    directoryOffset_ = u64(e + 48);
    if (entriesOnDisk != entryCount_ || disk != 0 || directoryDisk != 0) return false;
  } else {
    endPosition = findLast(kEndSignature);
    if (endPosition == 0) return false;
    uint8_t e[kEndLength];
    if (!source_.readAt(endPosition, e, sizeof e)) return false;
    const uint16_t disk = u16(e + 4);
    const uint16_t directoryDisk = u16(e + 6);
    const uint16_t entriesOnDisk = u16(e + 8);
    entryCount_ = u16(e + 10);
    directorySize = u32(e + 12);
    directoryOffset_ = u32(e + 16);
    if (entriesOnDisk != entryCount_ || disk != 0 || directoryDisk != 0) return false;
  }
  // The directory ends at or before the end record; what is missing in front is a stub.
  const uint64_t directoryEnd = directoryOffset_ + directorySize;
  if (endPosition < directoryEnd) return false;
  bytesBefore_ = endPosition - directoryEnd;
  return true;
}

bool ZipCentralDirectory::readFirst(std::string& name) {
  recordOffset_ = directoryOffset_;
  return readRecord(name);
}

bool ZipCentralDirectory::readNext(std::string& name) {
  if (!recordOk_) return false;
  recordOffset_ += recordLength_;
  return readRecord(name);
}

bool ZipCentralDirectory::readRecord(std::string& name) {
  recordOk_ = false;
  const uint64_t at = recordOffset_ + bytesBefore_;
  uint8_t r[kRecordLength];
  if (!source_.readAt(at, r, sizeof r) || u32(r) != kRecordSignature) return false;
  const uint16_t nameLength = u16(r + 28);
  const uint16_t extraLength = u16(r + 30);
  const uint16_t commentLength = u16(r + 32);

  std::string text(nameLength, '\0');
  if (nameLength != 0 && !source_.readAt(at + kRecordLength, &text[0], nameLength)) return false;

  name.swap(text);
  recordLength_ = kRecordLength + nameLength + extraLength + commentLength;
  recordOk_ = true;
  return true;
}

bool FileZipByteSource::open(const std::string& path) {
  close();
  file_.open(path, std::ios::binary);
  if (!file_.is_open()) return false;
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  if (end < 0) {
    close();
    return false;
  }
  size_ = static_cast<uint64_t>(end);
  return true;
}

void FileZipByteSource::close() {
  if (file_.is_open()) file_.close();
  file_.clear();
  size_ = 0;
}

bool FileZipByteSource::readAt(uint64_t offset, void* buffer, size_t length) {
  if (!file_.is_open() || offset > size_ || length > size_ - offset) return false;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(offset));
  file_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(length));
  return file_.gcount() == static_cast<std::streamsize>(length);
}

bool CentralDirectoryZipReader::open(const std::string& path) {
  close();
  if (!file_.open(path)) return false;
  open_ = directory_.open();
  if (!open_) file_.close();
  return open_;
}

bool CentralDirectoryZipReader::entryCount(uint64_t& count) {
  if (!open_) return false;
  count = directory_.entryCount();
  return true;
}

bool CentralDirectoryZipReader::entryName(uint64_t index, std::string& name) {
  if (!open_) return false;
  bool ok = true;
  if (index == 0) {
    ok = directory_.readFirst(name);
  } else if (index == next_) {
    ok = directory_.readNext(name);
  } else {
    ok = directory_.readFirst(name);
    for (uint64_t i = 0; ok && i < index; ++i) ok = directory_.readNext(name);
  }
  if (ok) next_ = index + 1;
  return ok;
}

void CentralDirectoryZipReader::close() {
  file_.close();
  open_ = false;
  next_ = 0;
}

}  // namespace kvl
