#include "plugin/host/binding/host_string.h"

#include <cstring>
#include <new>

#include "plugin/host/binding/host_allocators.h"

namespace kvl::host {

HostString::HostString() noexcept { buffer_[0] = '\0'; }

HostString::HostString(const char* text) : HostString() {
  if (!assign(text)) throw std::bad_alloc();
}

HostString::HostString(const std::string& text) : HostString() {
  if (!assign(text.data(), text.size())) throw std::bad_alloc();
}

HostString::HostString(const HostString& other) : HostString() {
  if (!assign(other.data(), other.size())) throw std::bad_alloc();
}

HostString::~HostString() {
  if (onHeap()) vc7OperatorDelete(heap());
}

char* HostString::heap() const noexcept {
  char* block = nullptr;
  std::memcpy(&block, buffer_, sizeof block);
  return block;
}

void HostString::setHeap(char* block) noexcept { std::memcpy(buffer_, &block, sizeof block); }

char* HostString::buffer() noexcept { return onHeap() ? heap() : buffer_; }

const char* HostString::data() const noexcept { return onHeap() ? heap() : buffer_; }

bool HostString::assign(const char* text) noexcept { return assign(text, std::strlen(text)); }

bool HostString::assign(const char* characters, std::size_t length) noexcept {
  if (capacity_ < length) {
    if (onHeap()) vc7OperatorDelete(heap());
    char* block = static_cast<char*>(vc7Malloc(length + 1));
    if (block == nullptr) {
      // No block: never copy through null. The string is left empty in its inline buffer.
      capacity_ = kInlineCapacity;
      size_ = 0;
      buffer_[0] = '\0';
      return false;
    }
    setHeap(block);
    capacity_ = static_cast<std::uint32_t>(length);
  }
  char* destination = buffer();
  std::memmove(destination, characters, length);
  size_ = static_cast<std::uint32_t>(length);
  destination[length] = '\0';
  return true;
}

}  // namespace kvl::host
