#include "plugin/foundation/settings/float_list_option.h"

#include <locale>
#include <sstream>
#include <utility>

#include "plugin/foundation/settings/ini_profile.h"

namespace kvl {

FloatListOption::FloatListOption(const std::string& key, const std::string& iniFile, FloatList value,
                                 std::string section)
    : IniOption(key, iniFile), value_(std::move(value)), section_(std::move(section)) {}

std::string formatFloatList(const FloatList& list) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  writeFloatList(out, list);
  return out.str();
}

FloatList FloatListOption::read() const {
  std::istringstream in(IniProfile(iniFile_).get(section(), key_, formatFloatList(value_)));
  in.imbue(std::locale::classic());
  FloatList list;
  readFloatList(in, list);
  return list;
}

bool FloatListOption::save(const FloatList& value) const {
  return IniProfile(iniFile_).set(section(), key_, formatFloatList(value));
}

}  // namespace kvl
