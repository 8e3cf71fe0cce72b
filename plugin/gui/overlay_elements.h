#pragma once
// The element kinds of a display list: texts, boxes, rectangles, groups, the text bar, and a
// value element that no page uses.
#include <cstdint>
#include <memory>
#include <string>

#include "plugin/gui/display_list.h"
#include "plugin/gui/overlay_element.h"

namespace kvl::gui {

// A narrow text at a position, in text style 0 and the default colour. An empty text draws
// nothing at all. A text given a size is first shortened to the size's width.
class TextElement : public OverlayElement {
 public:
  TextElement(const OverlayPoint& position, std::string text);
  void draw(const DrawContext& context) const override;
  const std::string& text() const noexcept { return text_; }

  // Shortens a text to a width through the host's menu renderer. Unset until the renderer's
  // binding is wired in; while it is unset a sized text is drawn whole.
  static std::string (*fitToWidth)(const std::string& text, float width);

 private:
  std::string text_;
};

// A filled box (the host's slot 4).
class BoxElement : public OverlayElement {
 public:
  BoxElement(const OverlayPoint& position, const OverlaySize& size) : OverlayElement(position, size) {}
  void draw(const DrawContext& context) const override;
};

// A rectangle (the host's slot 6).
class RectElement : public OverlayElement {
 public:
  RectElement(const OverlayPoint& position, const OverlaySize& size) : OverlayElement(position, size) {}
  void draw(const DrawContext& context) const override;
};

// Children drawn relative to the group's position.
class GroupElement : public OverlayElement {
 public:
  explicit GroupElement(const OverlayPoint& position) : OverlayElement(position) {}
  void draw(const DrawContext& context) const override;
  // Appends a child; an empty pointer is ignored.
  void add(std::shared_ptr<OverlayElement> child);
  const DisplayList& children() const noexcept { return children_; }

 private:
  DisplayList children_;
};

// A bar: a box in colour 3 with a text in colour 0 two units in from its left edge. Runs no
// command of its own.
class TextBarElement : public OverlayElement {
 public:
  TextBarElement(const OverlayPoint& position, std::string text, const OverlaySize& size);
  void draw(const DrawContext& context) const override;

 private:
  std::shared_ptr<BoxElement> box_;
  std::shared_ptr<TextElement> text_;
};

// A 32-bit value handed to the host's slot 7.
class ValueElement : public OverlayElement {
 public:
  ValueElement(const OverlayPoint& position, std::uint32_t value) : OverlayElement(position), value_(value) {}
  void draw(const DrawContext& context) const override;
  std::uint32_t value() const noexcept { return value_; }
  void setValue(std::uint32_t value) noexcept { value_ = value; }

 private:
  std::uint32_t value_;
};

}  // namespace kvl::gui
