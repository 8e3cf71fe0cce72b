#include "daemons/sound/ini_value.h"

#include <cstdio>
#include <cstdlib>
#include <locale>
#include <sstream>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>

namespace kvl {

std::string trimIniText(const std::string& text) { return boost::algorithm::trim_copy(text); }

bool parseIniBool(const std::string& text) {
  if (boost::algorithm::iequals(text, "true")) return true;
  if (boost::algorithm::iequals(text, "false")) return false;
  return std::atoi(text.c_str()) == 1;
}

namespace {
template <typename T>
T readClassic(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  T value{};
  in >> value;
  return in.fail() ? T{} : value;
}
}  // namespace

unsigned parseIniUnsigned(const std::string& text) { return readClassic<unsigned>(text); }

float parseIniFloat(const std::string& text) { return readClassic<float>(text); }

std::string iniBoolText(bool value) { return value ? "1" : "0"; }

std::string iniUnsignedText(unsigned value) { return std::to_string(value); }

std::string iniFloatText(float value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out.precision(9);
  out << value;
  return out.str();
}

std::string carSectionName(unsigned carIndex) {
  char buffer[24];
  std::snprintf(buffer, sizeof(buffer), "Car%02u", carIndex);
  return buffer;
}

}  // namespace kvl
