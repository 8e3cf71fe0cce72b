#include "plugin/gui/overlay_elements.h"

#include <utility>

namespace kvl::gui {

std::string (*TextElement::fitToWidth)(const std::string& text, float width) = nullptr;

TextElement::TextElement(const OverlayPoint& position, std::string text)
    : OverlayElement(position), text_(std::move(text)) {
  setTextStyle(std::make_shared<TextStyleCommand>(0));
}

void TextElement::draw(const DrawContext& context) const {
  if (text_.empty()) return;
  OverlayElement::draw(context);
  const OverlayPoint at = context.at(position());
  if (size() && fitToWidth != nullptr) {
    const std::string fitted = fitToWidth(text_, size()->width);
    context.host->drawText(at.x, at.y, fitted.c_str());
    return;
  }
  context.host->drawText(at.x, at.y, text_.c_str());
}

void BoxElement::draw(const DrawContext& context) const {
  OverlayElement::draw(context);
  const OverlayPoint at = context.at(position());
  context.host->drawBox(at.x, at.y, size()->width, size()->height);
}

void RectElement::draw(const DrawContext& context) const {
  OverlayElement::draw(context);
  const OverlayPoint at = context.at(position());
  context.host->drawRect(at.x, at.y, size()->width, size()->height);
}

void GroupElement::draw(const DrawContext& context) const {
  OverlayElement::draw(context);
  const DrawContext inner = context.movedBy(position());
  for (const auto& child : children_) child->draw(inner);
}

void GroupElement::add(std::shared_ptr<OverlayElement> child) {
  if (child) children_.push(std::move(child));
}

TextBarElement::TextBarElement(const OverlayPoint& position, std::string text, const OverlaySize& size)
    : OverlayElement(position, size),
      box_(std::make_shared<BoxElement>(OverlayPoint{0.0f, 0.0f}, size)),
      text_(std::make_shared<TextElement>(OverlayPoint{2.0f, 0.0f}, std::move(text))) {
  // The box keeps the default colour index 3; the text is drawn in colour 0.
  text_->setColourCommand(std::make_shared<ColourIndexCommand>(0));
}

void TextBarElement::draw(const DrawContext& context) const {
  const DrawContext inner = context.movedBy(position());
  box_->draw(inner);
  text_->draw(inner);
}

void ValueElement::draw(const DrawContext& context) const {
  OverlayElement::draw(context);
  const OverlayPoint at = context.at(position());
  context.host->drawValue(at.x, at.y, value_);
}

}  // namespace kvl::gui
