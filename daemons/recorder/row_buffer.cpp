#include "daemons/recorder/row_buffer.h"

#include <cstring>
#include <new>

namespace kvl {

RowBuffer::RowBuffer(uint32_t rowSize, uint64_t capBytes) : rowSize_(rowSize), capBytes_(capBytes) {
  // A chunk is never larger than the cap: a buffer capped below one chunk still holds rows.
  const uint64_t chunkBytes = capBytes < kChunkBytes ? capBytes : kChunkBytes;
  const uint32_t fit = rowSize == 0 ? kMinRowsPerChunk : static_cast<uint32_t>(chunkBytes / rowSize);
  rowsPerChunk_ = fit < kMinRowsPerChunk ? kMinRowsPerChunk : fit;
}

bool RowBuffer::append(const unsigned char* row) {
  if (chunks_.empty() || rowsInLastChunk_ == rowsPerChunk_) {
    const uint64_t chunkBytes = static_cast<uint64_t>(rowsPerChunk_) * rowSize_;
    if (allocatedBytes() + chunkBytes > capBytes_ || chunks_.size() >= UINT32_MAX) {
      ++refusedRows_;
      return false;
    }
    unsigned char* chunk = nullptr;
    try {
      // calloc hands out zero-filled pages without touching them first.
      chunk = static_cast<unsigned char*>(std::calloc(chunkBytes ? static_cast<size_t>(chunkBytes) : 1, 1));
      if (chunk) chunks_.emplace_back(chunk);
    } catch (const std::bad_alloc&) {
      std::free(chunk);
      chunk = nullptr;
    }
    if (!chunk) {
      ++refusedRows_;
      return false;
    }
    rowsInLastChunk_ = 0;
  }
  if (rowSize_) {
    std::memcpy(chunks_.back().get() + static_cast<size_t>(rowsInLastChunk_) * rowSize_, row, rowSize_);
  }
  ++rowsInLastChunk_;
  return true;
}

uint64_t RowBuffer::rowCount() const {
  if (chunks_.empty()) return 0;
  return static_cast<uint64_t>(chunks_.size() - 1) * rowsPerChunk_ + rowsInLastChunk_;
}

const unsigned char* RowBuffer::row(uint64_t index) const {
  const uint64_t chunk = index / rowsPerChunk_;
  const uint64_t inChunk = index % rowsPerChunk_;
  return chunks_[static_cast<size_t>(chunk)].get() + static_cast<size_t>(inChunk * rowSize_);
}

uint64_t RowBuffer::allocatedBytes() const {
  return static_cast<uint64_t>(chunks_.size()) * rowsPerChunk_ * rowSize_;
}

}  // namespace kvl
