#pragma once
// The overlay's texts measured by the host game's menu renderer: a text element given a size is
// shortened to the size's width with it.
#include <string>

namespace kvl::gui {

// The text cut to the width by the host's menu renderer ("..." at its end); whole while the host
// has no game object or no menu renderer to measure it.
std::string fitOverlayText(const std::string& text, float width);

// Makes the overlay's sized text elements use fitOverlayText.
void useHostTextFitting() noexcept;

}  // namespace kvl::gui
