#include "plugin/gui/draw_commands.h"

namespace kvl::gui {

void ColourIndexCommand::execute(const DrawContext& context) const { context.host->setColourIndex(index_); }

void ColourCommand::execute(const DrawContext& context) const { context.host->setColour(r_, g_, b_, a_); }

void TextStyleCommand::execute(const DrawContext& context) const { context.host->setTextStyle(style_); }

}  // namespace kvl::gui
