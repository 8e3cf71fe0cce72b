#pragma once
// The packed rows received since a Start, in chunks of about 16 MiB that never move, so that
// appending a row costs one copy.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace kvl {

class RowBuffer {
 public:
  static constexpr uint32_t kChunkBytes = 16777216;
  static constexpr uint32_t kMinRowsPerChunk = 4096;
  // A 32-bit process has about 2 GiB of address space: rows beyond this are refused.
  static constexpr uint64_t kDefaultCapBytes = 1024ull * 1024 * 1024;

  explicit RowBuffer(uint32_t rowSize, uint64_t capBytes = kDefaultCapBytes);

  // Appends one row of rowSize bytes. Returns false when the row was refused because the cap
  // was reached or no memory was to be had; the rows already held stay.
  bool append(const unsigned char* row);

  uint32_t rowSize() const { return rowSize_; }
  uint32_t rowsPerChunk() const { return rowsPerChunk_; }
  uint32_t chunkCount() const { return static_cast<uint32_t>(chunks_.size()); }
  uint32_t rowsInLastChunk() const { return rowsInLastChunk_; }
  uint64_t rowCount() const;
  const unsigned char* row(uint64_t index) const;
  // The bytes allocated, counted in whole chunks (chunk count x rows per chunk x row size).
  uint64_t allocatedBytes() const;
  uint64_t refusedRows() const { return refusedRows_; }

 private:
  struct FreeChunk {
    void operator()(unsigned char* p) const { std::free(p); }
  };
  uint32_t rowSize_;
  uint32_t rowsPerChunk_;
  uint32_t rowsInLastChunk_ = 0;
  uint64_t capBytes_;
  uint64_t refusedRows_ = 0;
  std::vector<std::unique_ptr<unsigned char, FreeChunk>> chunks_;
};

}  // namespace kvl
