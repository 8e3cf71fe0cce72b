#include "plugin/foundation/settings/ini_value_text.h"

#include <climits>
#include <locale>
#include <sstream>

namespace kvl {

namespace {

template <typename T>
std::string formatClassic(const T& value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << value;
  return out.str();
}

template <typename T>
T parseClassic(const std::string& text) {
  if (text.empty()) return T(0);
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  T value = T(0);
  in >> value;
  // The stream stores 0 when nothing could be read and the nearest limit on overflow.
  return value;
}

}  // namespace

std::string trimIniText(const std::string& text) {
  const std::locale locale;
  std::string::size_type first = 0;
  std::string::size_type last = text.size();
  while (first < last && std::isspace(text[first], locale)) ++first;
  while (last > first && std::isspace(text[last - 1], locale)) --last;
  return text.substr(first, last - first);
}

bool sameIniName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  const std::locale locale;
  for (std::string::size_type i = 0; i < a.size(); ++i) {
    if (std::toupper(a[i], locale) != std::toupper(b[i], locale)) return false;
  }
  return true;
}

std::string formatIniBool(bool value) { return value ? "1" : "0"; }

std::string formatIniInt(int32_t value) { return formatClassic(static_cast<long>(value)); }

std::string formatIniUnsigned(uint32_t value) { return formatClassic(static_cast<unsigned long>(value)); }

std::string formatIniFloat(float value) { return formatClassic(value); }

bool parseIniBool(const std::string& text) {
  if (text.empty()) return false;
  if (sameIniName(text, "true")) return true;
  if (sameIniName(text, "false")) return false;
  return parseIniInt(text) == 1;
}

int32_t parseIniInt(const std::string& text) {
  // Leading blanks as atoi skips them: the "C" white-space characters.
  const std::locale& classic = std::locale::classic();
  std::string::size_type i = 0;
  while (i < text.size() && std::isspace(text[i], classic)) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulated as a negative number so that INT_MIN needs no special case.
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 - (text[i] - '0');
    if (value < INT_MIN) {
      value = INT_MIN - 1LL;  // saturated; further digits change nothing
    }
  }
  if (negative) return value < INT_MIN ? INT_MIN : static_cast<int32_t>(value);
  if (-value > INT_MAX) return INT_MAX;
  return static_cast<int32_t>(-value);
}

uint32_t parseIniUnsigned(const std::string& text) { return parseClassic<uint32_t>(text); }

float parseIniFloat(const std::string& text) { return parseClassic<float>(text); }

}  // namespace kvl
