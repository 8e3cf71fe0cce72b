#include "plugin/foundation/texts/stage_time_text.h"

#include <cmath>
#include <cstdio>

#include "plugin/foundation/maths/float_conversion.h"

namespace kvl {

std::string stageTimeText(float seconds, bool showSign) {
  char lead = showSign ? '+' : ' ';
  if (seconds == 0.0f) return std::string(1, lead) + (showSign ? "00:00.000" : "--:--.---");
  if (std::signbit(seconds)) lead = '-';
  if (!std::isfinite(seconds)) return std::string(1, lead) + "--:--.---";
  const float a = std::fabs(seconds);
  const unsigned minutes = truncateToInteger<unsigned>(a / 60.0f);
  const unsigned wholeSeconds = truncateToInteger<unsigned>(a) % 60u;
  const unsigned milliseconds = truncateToInteger<unsigned>(a * 1000.0f) % 1000u;
  char text[32];
  std::snprintf(text, sizeof text, "%c%02u:%02u.%03u", lead, minutes, wholeSeconds, milliseconds);
  return text;
}

}  // namespace kvl
