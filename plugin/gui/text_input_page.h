#pragma once
// An overlay page with a prompt and a one-line text field typed from the keyboard, and its variant
// that shows one '*' per typed character. The page listens to the host's key-input source for as
// long as it exists. No path of the plugin creates one.
#include <cstdint>
#include <string>

#include "plugin/gui/overlay_page.h"
#include "plugin/host/events/host_listener.h"

namespace kvl::gui {

class TextInputPage : public OverlayPage {
 public:
  static constexpr std::uint32_t kDefaultMaxLength = 50;
  // Key-input record: the character (signed byte) at +80, two erase requests at +12 and +16,
  // and the words cleared after an erase at +16 and +36.
  static constexpr std::size_t kCharacterOffset = 80;
  static constexpr std::size_t kEraseOffsetA = 12;
  static constexpr std::size_t kEraseOffsetB = 16;
  static constexpr std::size_t kClearedOffset = 36;

  // Joins the catch-all list of the host's key-input source.
  explicit TextInputPage(std::int32_t id);
  ~TextInputPage() override;

  // The low byte of the sixth word set marks the page dirty.
  void onInput(std::uint8_t key, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e,
               std::uint32_t f) override;
  void build(DisplayList& list) override;
  // The text the field shows.
  virtual std::string displayText() const { return text_; }

  // A host key-input record: a printable character is appended while there is room, an erase
  // request removes the last character; each refusal sounds the beep.
  void onKey(const void* record);
  using OverlayPage::onKey;

  void setPrompt(std::string prompt) { prompt_ = std::move(prompt); }
  void setMaxLength(std::uint32_t maxLength) noexcept { maxLength_ = maxLength; }
  const std::string& text() const noexcept { return text_; }

 protected:
  // 800 Hz for 200 ms.
  virtual void refuse();

 private:
  std::string prompt_;
  std::string text_;
  std::uint32_t maxLength_ = kDefaultMaxLength;
  host::HostListenerNode keyNode_;
};

class MaskedTextInputPage : public TextInputPage {
 public:
  using TextInputPage::TextInputPage;
  std::string displayText() const override { return std::string(text().size(), '*'); }
};

}  // namespace kvl::gui
