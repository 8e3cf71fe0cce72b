#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>

namespace kvl {

// The byte buffer the track readers fill from a stream and then parse from memory. Its block comes
// from the process heap and is kept for later reads that fit. The fields are laid out like the
// host's read buffer (data, read position, size), so host routines can read from it; size is the
// length of the block, as the host's own buffer shows it: after a smaller fill into a larger block
// it stays the block's length, and the bytes past the fill keep their earlier content.
class FileBuffer {
 public:
  FileBuffer() = default;
  ~FileBuffer() { release(); }
  FileBuffer(const FileBuffer&) = delete;
  FileBuffer& operator=(const FileBuffer&) = delete;

  // Fills the buffer with the next n bytes of the stream (zeros where the stream ends early) and
  // sets the read position to 0. Returns whether all n bytes were read; a negative n or a failed
  // allocation returns false and leaves the buffer as it was or empty. Stream exceptions pass
  // through.
  bool readFrom(std::istream& stream, int n);

  // Fills the buffer with n bytes already in memory, with the block rule of readFrom. False when
  // the block cannot be had or n exceeds what the host's 32-bit size can show.
  bool fill(const uint8_t* bytes, size_t n);

  // Frees the block and empties the buffer.
  void release();

  uint8_t* data() const { return data_; }
  int32_t position() const { return position_; }
  void setPosition(int32_t position) { position_ = position; }
  int32_t size() const { return size_; }

 private:
  // A block of at least n bytes (the old one when it is large enough) and read position 0; false
  // when there is no block.
  bool reserve(int n);

  uint8_t* data_ = nullptr;
  int32_t position_ = 0;
  int32_t size_ = 0;

  friend struct FileBufferLayout;
};

// Offsets the host relies on.
struct FileBufferLayout {
  static constexpr size_t data = offsetof(FileBuffer, data_);
  static constexpr size_t position = offsetof(FileBuffer, position_);
  static constexpr size_t size = offsetof(FileBuffer, size_);
};
static_assert(FileBufferLayout::data == 0, "data pointer first");
static_assert(FileBufferLayout::position == sizeof(void*), "read position after the data pointer");
static_assert(FileBufferLayout::size == sizeof(void*) + 4, "size after the read position");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(FileBufferLayout::position == 4 && FileBufferLayout::size == 8, "host read buffer layout");
#endif

}  // namespace kvl
