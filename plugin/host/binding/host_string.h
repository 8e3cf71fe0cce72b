#pragma once
// A string in the host runtime's layout; its heap block comes from the host runtime's malloc
// and goes back through its operator delete, so host code may read, grow or free it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvl::host {

class HostString {
 public:
  static constexpr std::uint32_t kInlineCapacity = 15;

  HostString() noexcept;
  // These throw std::bad_alloc when the text needs a heap block and the host runtime gives none.
  explicit HostString(const char* text);
  explicit HostString(const std::string& text);
  HostString(const HostString& other);
  HostString& operator=(const HostString&) = delete;
  ~HostString();

  // Replaces the text. False when a heap block was needed and the host runtime gave none: the
  // string is then empty.
  bool assign(const char* text) noexcept;
  bool assign(const char* characters, std::size_t length) noexcept;

  const char* data() const noexcept;
  const char* c_str() const noexcept { return data(); }
  std::uint32_t size() const noexcept { return size_; }
  std::uint32_t capacity() const noexcept { return capacity_; }
  bool onHeap() const noexcept { return capacity_ > kInlineCapacity; }

 private:
  char* heap() const noexcept;
  void setHeap(char* block) noexcept;
  char* buffer() noexcept;

  std::uint32_t allocator_ = 0;
  char buffer_[16];
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = kInlineCapacity;
};
static_assert(sizeof(HostString) == 28, "host runtime string is 28 bytes");
static_assert(sizeof(void*) <= 16, "the heap pointer lives in the buffer");

}  // namespace kvl::host
