#include "plugin/foundation/settings/ini_option.h"

#include <deque>

#include "plugin/foundation/settings/ini_profile.h"
#include "plugin/foundation/settings/ini_value_text.h"

namespace kvl {

namespace {

std::string formatValue(bool value) { return formatIniBool(value); }
std::string formatValue(int32_t value) { return formatIniInt(value); }
std::string formatValue(uint32_t value) { return formatIniUnsigned(value); }
std::string formatValue(float value) { return formatIniFloat(value); }
std::string formatValue(const std::string& value) { return value; }

template <typename T>
T parseValue(const std::string& text);
template <>
bool parseValue<bool>(const std::string& text) {
  return parseIniBool(text);
}
template <>
int32_t parseValue<int32_t>(const std::string& text) {
  return parseIniInt(text);
}
template <>
uint32_t parseValue<uint32_t>(const std::string& text) {
  return parseIniUnsigned(text);
}
template <>
float parseValue<float>(const std::string& text) {
  return parseIniFloat(text);
}
template <>
std::string parseValue<std::string>(const std::string& text) {
  return text;
}

}  // namespace

IniOption::IniOption(const std::string& key, const std::string& iniFile) : key_(key), iniFile_(iniFile) {}

IniOption::~IniOption() = default;

bool IniOption::isPresent() const {
  const IniProfile profile(iniFile_);
  if (!profile.exists()) return false;
  std::deque<std::string> names;
  profile.keys(section(), names);
  for (const std::string& name : names) {
    if (sameIniName(name, key_)) return true;
  }
  return false;
}

template <typename T>
T TypedIniOption<T>::read() const {
  const std::string text = IniProfile(iniFile_).get(section(), key_, formatValue(value_));
  return parseValue<T>(text);
}

template <typename T>
bool TypedIniOption<T>::save(const T& value) const {
  return IniProfile(iniFile_).set(section(), key_, formatValue(value));
}

template class TypedIniOption<bool>;
template class TypedIniOption<int32_t>;
template class TypedIniOption<uint32_t>;
template class TypedIniOption<float>;
template class TypedIniOption<std::string>;

}  // namespace kvl
