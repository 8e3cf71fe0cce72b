#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace kvl {

// A reader of a zip archive's entry names, entries read in order from index 0.
class ZipReader {
 public:
  virtual ~ZipReader() = default;
  // Opens the archive at path; false when it is not a readable archive.
  virtual bool open(const std::string& path) = 0;
  // The number of entries the archive declares.
  virtual bool entryCount(uint64_t& count) = 0;
  // The name of entry index (the next one after the last read, or 0); false on an error.
  virtual bool entryName(uint64_t index, std::string& name) = 0;
  virtual void close() = 0;
};

// The zip reader of this build.
std::unique_ptr<ZipReader> makeZipReader();

// Appends the names of the archive's entries, in the archive's order and with every "\" turned into
// "/", to names. True when the archive opened, has at least one entry and every name was read; on
// an error at entry k the names of the entries before it stay appended.
bool listZipEntries(const std::string& archivePath, std::deque<std::string>& names);
bool listZipEntries(ZipReader& reader, const std::string& archivePath, std::deque<std::string>& names);

}  // namespace kvl
