#include "plugin/foundation/zip/minizip_zip_reader.h"

#include <minizip/unzip.h>

#include <vector>

namespace kvl {

MinizipZipReader::~MinizipZipReader() { close(); }

bool MinizipZipReader::open(const std::string& path) {
  close();
  archive_ = unzOpen64(path.c_str());
  next_ = 0;
  return archive_ != nullptr;
}

bool MinizipZipReader::entryCount(uint64_t& count) {
  if (archive_ == nullptr) return false;
  unz_global_info64 info;
  if (unzGetGlobalInfo64(archive_, &info) != UNZ_OK) return false;
  count = info.number_entry;
  return true;
}

bool MinizipZipReader::entryName(uint64_t index, std::string& name) {
  if (archive_ == nullptr) return false;
  int err = UNZ_OK;
  if (index == 0) {
    err = unzGoToFirstFile(archive_);
  } else if (index == next_) {
    err = unzGoToNextFile(archive_);
  } else {
    err = unzGoToFirstFile(archive_);
    for (uint64_t i = 0; err == UNZ_OK && i < index; ++i) err = unzGoToNextFile(archive_);
  }
  if (err != UNZ_OK) return false;
  next_ = index + 1;
  // A name is at most 65535 bytes.
  std::vector<char> buffer(65536);
  unz_file_info64 info;
  if (unzGetCurrentFileInfo64(archive_, &info, buffer.data(), static_cast<uLong>(buffer.size()), nullptr, 0,
                              nullptr, 0) != UNZ_OK) {
    return false;
  }
  name.assign(buffer.data(), info.size_filename);
  return true;
}

void MinizipZipReader::close() {
  if (archive_ != nullptr) unzClose(archive_);
  archive_ = nullptr;
  next_ = 0;
}

}  // namespace kvl
