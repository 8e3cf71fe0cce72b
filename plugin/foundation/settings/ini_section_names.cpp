#include "plugin/foundation/settings/ini_section_names.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace kvl {

namespace {

std::string numbered(const char* prefix, int number, int width) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << prefix << std::setw(width) << std::setfill('0') << number;
  return out.str();
}

}  // namespace

std::string carSectionTwoDigits(int carIndex) { return numbered("Car", carIndex, 2); }

std::string carSectionPlain(int carIndex) { return numbered("Car", carIndex, 0); }

std::string mapSection(int mapNumber) { return numbered("Map", mapNumber, 2); }

std::string surfaceName(int surface) {
  if (surface == 2) return "Snow";
  if (surface == 1) return "Tarmac";
  return "Gravel";
}

std::string forceFeedbackSensitivityKey(int surface) { return "ForceFeedbackSensitivity" + surfaceName(surface); }

std::string forceFeedbackSensitivityKey(int surface, int carNumber) {
  return numbered((forceFeedbackSensitivityKey(surface) + "_Car").c_str(), carNumber, 0);
}

}  // namespace kvl
