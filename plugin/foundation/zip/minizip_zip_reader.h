#pragma once
#include "plugin/foundation/zip/zip_entry_listing.h"

namespace kvl {

// Entry names through minizip's unzip interface.
class MinizipZipReader : public ZipReader {
 public:
  ~MinizipZipReader() override;
  bool open(const std::string& path) override;
  bool entryCount(uint64_t& count) override;
  bool entryName(uint64_t index, std::string& name) override;
  void close() override;

 private:
  void* archive_ = nullptr;
  uint64_t next_ = 0;
};

}  // namespace kvl
