#include "plugin/gui/text_input_page.h"

#include <windows.h>

#include <memory>

#include "plugin/gui/draw_commands.h"
#include "plugin/gui/overlay_elements.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/host_game.h"
#include "plugin/host/model/host_menu_renderer.h"

namespace kvl::gui {
namespace {

// The host's menu renderer measures the text; without one the text has no width.
float hostTextWidth(const std::string& text) {
  void* game = host::HostGame::instance();
  void* renderer = game != nullptr ? host::HostGame::menuRenderer(game) : nullptr;
  return renderer != nullptr ? host::HostMenuRenderer::textWidth(renderer, text.c_str()) : 0.0f;
}

}  // namespace

TextInputPage::TextInputPage(std::int32_t id)
    : OverlayPage(id), keyNode_(this, host::HostListenerNode::member<TextInputPage, &TextInputPage::onKey>()) {
  if (host::HostEventHub* hub = host::HostEventHub::instance()) {
    host::appendListener(hub->keyInput()->catchAll(), keyNode_);
  }
}

TextInputPage::~TextInputPage() = default;  // the node leaves its list as it is destroyed

void TextInputPage::onInput(std::uint8_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                            std::uint32_t f) {
  if ((f & 0xFFu) != 0) setDirty(true);
}

void TextInputPage::build(DisplayList& list) {
  OverlayPage::build(list);
  auto prompt = std::make_shared<TextElement>(OverlayPoint{5.0f, 65.0f}, prompt_);
  prompt->setColourCommand(std::make_shared<ColourIndexCommand>(4));
  prompt->setTextStyle(std::make_shared<TextStyleCommand>(1));
  list.push(prompt);
  const float width = hostTextWidth(std::string(maxLength_, 'W')) + 4.0f;
  list.push(std::make_shared<RectElement>(OverlayPoint{5.0f, 110.0f}, OverlaySize{width, 15.0f}));
  list.push(std::make_shared<TextElement>(OverlayPoint{7.0f, 110.0f}, displayText()));
}

void TextInputPage::onKey(const void* record) {
  auto* bytes = static_cast<unsigned char*>(const_cast<void*>(record));
  const auto character = static_cast<std::int8_t>(bytes[kCharacterOffset]);
  if (character >= 33) {
    if (text_.size() < maxLength_) {
      text_.push_back(static_cast<char>(character));
      setDirty(true);
    } else {
      refuse();
    }
    return;
  }
  const bool erase =
      host::fieldAt<std::int32_t>(bytes, kEraseOffsetA) != 0 || host::fieldAt<std::int32_t>(bytes, kEraseOffsetB) != 0;
  if (!erase) {
    return;
  }
  if (!text_.empty()) {
    text_.pop_back();
    setDirty(true);
  } else {
    refuse();
  }
  host::fieldAt<std::int32_t>(bytes, kEraseOffsetB) = 0;
  host::fieldAt<std::int32_t>(bytes, kClearedOffset) = 0;
}

void TextInputPage::refuse() { Beep(800, 200); }

}  // namespace kvl::gui
