#pragma once
// The small commands an element runs before it draws: they select the colour and the text
// style on the host's drawing interface.
#include <cstdint>

#include "plugin/gui/draw_context.h"

namespace kvl::gui {

class DrawCommand {
 public:
  virtual void execute(const DrawContext& context) const = 0;
  virtual ~DrawCommand() = default;
};

// Selects one of the host's numbered colours.
class ColourIndexCommand : public DrawCommand {
 public:
  explicit ColourIndexCommand(std::int32_t index) : index_(index) {}
  void execute(const DrawContext& context) const override;
  std::int32_t index() const noexcept { return index_; }
  void setIndex(std::int32_t index) noexcept { index_ = index; }

 private:
  std::int32_t index_;
};

// Selects a colour by its red, green, blue and alpha parts (0 to 1).
class ColourCommand : public DrawCommand {
 public:
  ColourCommand(float r, float g, float b, float a) : r_(r), g_(g), b_(b), a_(a) {}
  void execute(const DrawContext& context) const override;
  float red() const noexcept { return r_; }
  float green() const noexcept { return g_; }
  float blue() const noexcept { return b_; }
  float alpha() const noexcept { return a_; }

 private:
  float r_, g_, b_, a_;
};

// Selects the host's text style. Not a DrawCommand: elements hold it apart from the colour.
class TextStyleCommand {
 public:
  explicit TextStyleCommand(std::int32_t style) : style_(style) {}
  virtual ~TextStyleCommand() = default;
  void execute(const DrawContext& context) const;
  std::int32_t style() const noexcept { return style_; }
  void setStyle(std::int32_t style) noexcept { style_ = style; }

 private:
  std::int32_t style_;
};

}  // namespace kvl::gui
