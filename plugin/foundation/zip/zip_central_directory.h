#pragma once
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "plugin/foundation/zip/zip_entry_listing.h"

namespace kvl {

// Random access to the bytes of an archive.
class ZipByteSource {
 public:
  virtual ~ZipByteSource() = default;
  virtual uint64_t size() const = 0;
  // Reads exactly length bytes at offset; false when they are not all there.
  virtual bool readAt(uint64_t offset, void* buffer, size_t length) = 0;
};

// Reads entry names from a zip archive's central directory: finds the end-of-central-directory
// record (or its zip64 form) in the last 64 KiB, checks it, then walks the directory records in
// order. Bytes before the archive (a self-extracting stub) are allowed for. The end record and each
// directory record must lie whole inside the archive, with the record's name; extra fields,
// comments, local headers and entry data are not read.
class ZipCentralDirectory {
 public:
  explicit ZipCentralDirectory(ZipByteSource& source) : source_(source) {}

  // Locates and checks the end record; false when the source is not an archive.
  bool open();
  // The number of entries the end record declares.
  uint64_t entryCount() const { return entryCount_; }
  // Reads the first record, or the one after the last record read; false on a damaged record.
  bool readFirst(std::string& name);
  bool readNext(std::string& name);

 private:
  // The last position in the final 64 KiB that holds the signature, or 0 when there is none.
  uint64_t findLast(uint32_t signature);
  bool readZip64End(uint64_t& position);
  bool readRecord(std::string& name);

  ZipByteSource& source_;
  uint64_t entryCount_ = 0;
  uint64_t directoryOffset_ = 0;
  uint64_t bytesBefore_ = 0;
  uint64_t recordOffset_ = 0;
  uint64_t recordLength_ = 0;
  bool recordOk_ = false;
};

// A ZipByteSource over a file.
class FileZipByteSource : public ZipByteSource {
 public:
  bool open(const std::string& path);
  void close();
  uint64_t size() const override { return size_; }
  bool readAt(uint64_t offset, void* buffer, size_t length) override;

 private:
  std::ifstream file_;
  uint64_t size_ = 0;
};

// The ZipReader over our own central-directory reader.
class CentralDirectoryZipReader : public ZipReader {
 public:
  CentralDirectoryZipReader() : directory_(file_) {}
  bool open(const std::string& path) override;
  bool entryCount(uint64_t& count) override;
  bool entryName(uint64_t index, std::string& name) override;
  void close() override;

 private:
  FileZipByteSource file_;
  ZipCentralDirectory directory_;
  bool open_ = false;
  uint64_t next_ = 0;
};

}  // namespace kvl
