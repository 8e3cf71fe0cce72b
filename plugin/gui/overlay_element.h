#pragma once
// The base of everything a display list holds. An element draws itself through the host's
// drawing interface: first its colour command, then its text style, then its own host call.
#include <memory>

#include "plugin/gui/draw_commands.h"
#include "plugin/gui/draw_context.h"
#include "plugin/gui/overlay_geometry.h"

namespace kvl::gui {

class OverlayElement {
 public:
  virtual ~OverlayElement() = default;
  // The base draw: the colour command when set, then the text style when set.
  virtual void draw(const DrawContext& context) const;

  // Replace the colour command or the text style; the old command is released.
  void setColourCommand(std::shared_ptr<DrawCommand> command) { colourCommand_ = std::move(command); }
  void setTextStyle(std::shared_ptr<TextStyleCommand> style) { textStyle_ = std::move(style); }
  void setPosition(const OverlayPoint& position) noexcept { position_ = position; }
  void setSize(const OverlaySize& size) { size_ = std::make_shared<OverlaySize>(size); }

  const std::shared_ptr<DrawCommand>& colourCommand() const noexcept { return colourCommand_; }
  const std::shared_ptr<TextStyleCommand>& textStyle() const noexcept { return textStyle_; }
  const OverlayPoint& position() const noexcept { return position_; }
  // Empty unless the element was given a size.
  const std::shared_ptr<OverlaySize>& size() const noexcept { return size_; }

 protected:
  // A new element selects colour index 3.
  explicit OverlayElement(const OverlayPoint& position);
  OverlayElement(const OverlayPoint& position, const OverlaySize& size);

 private:
  std::shared_ptr<DrawCommand> colourCommand_;
  OverlayPoint position_;
  std::shared_ptr<OverlaySize> size_;
  std::shared_ptr<TextStyleCommand> textStyle_;
};

}  // namespace kvl::gui
