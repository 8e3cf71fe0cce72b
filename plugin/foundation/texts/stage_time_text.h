#pragma once
#include <string>

namespace kvl {

// A stage time as "[sign]MM:SS.mmm": the leading character is '+' when showSign is set, else a
// blank, and '-' for a negative time. A time of exactly 0 prints "+00:00.000" with the sign and
// " --:--.---" without (an unset time). Minutes are not limited to 59. A time that is not a
// number or infinite prints the leading character and "--:--.---".
std::string stageTimeText(float seconds, bool showSign);

}  // namespace kvl
