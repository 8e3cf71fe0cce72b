#pragma once
// The host's 12-byte text record, the label of every menu item: a key, the wide text shown (null
// until filled) and a 16-bit attribute.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostText {
  const char* key_ = nullptr;
  const wchar_t* text_ = nullptr;
  std::uint16_t attribute_ = 0;

  HostText() noexcept = default;
  explicit HostText(const char* key) noexcept : key_(key) {}

  const char* key() const noexcept { return key_; }
  bool hasKey() const noexcept { return key_ != nullptr; }
  void setKey(const char* key) noexcept { key_ = key; }
  void setText(const wchar_t* text) noexcept { text_ = text; }
  const wchar_t* text() const noexcept { return text_; }
  void setAttribute(std::uint16_t attribute) noexcept { attribute_ = attribute; }
  std::uint16_t attribute() const noexcept { return attribute_; }
  void clear() noexcept {
    key_ = nullptr;
    text_ = nullptr;
    attribute_ = 0;
  }
  // Host 0x496BF0, member call on the record: its wide text.
  static const wchar_t* widen(HostText* record);
  // The record as the three words a host constructor takes it by value.
  HostWord word(int i) const noexcept {
    const auto* words = reinterpret_cast<const HostWord*>(this);
    return words[i];
  }
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostText) == 12, "host text record");
QZR_HOST_LAYOUT_ASSERT(offsetof(HostText, text_) == 4 && offsetof(HostText, attribute_) == 8, "host text record");

}  // namespace kvl::host
