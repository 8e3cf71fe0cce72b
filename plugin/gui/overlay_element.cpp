#include "plugin/gui/overlay_element.h"

namespace kvl::gui {
namespace {

constexpr std::int32_t kDefaultColourIndex = 3;

}  // namespace

OverlayElement::OverlayElement(const OverlayPoint& position)
    : colourCommand_(std::make_shared<ColourIndexCommand>(kDefaultColourIndex)), position_(position) {}

OverlayElement::OverlayElement(const OverlayPoint& position, const OverlaySize& size)
    : OverlayElement(position) {
  size_ = std::make_shared<OverlaySize>(size);
}

void OverlayElement::draw(const DrawContext& context) const {
  if (colourCommand_) colourCommand_->execute(context);
  if (textStyle_) textStyle_->execute(context);
}

}  // namespace kvl::gui
