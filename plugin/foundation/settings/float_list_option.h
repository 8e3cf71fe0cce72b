#pragma once
// An option whose value is a list of floats, stored as the list's text form.
#include <string>

#include "plugin/foundation/settings/ini_option.h"
#include "plugin/foundation/texts/float_list.h"

namespace kvl {

class FloatListOption : public IniOption {
 public:
  FloatListOption(const std::string& key, const std::string& iniFile, FloatList value, std::string section);

  std::string section() const override { return section_; }
  // The floats the file's text yields, read with the classic locale; the option's list when the
  // key is missing.
  FloatList read() const;
  bool save(const FloatList& value) const;
  FloatList* valuePtr() { return &value_; }

 private:
  FloatList value_;
  std::string section_;
};

// The list's text form in the classic locale.
std::string formatFloatList(const FloatList& list);

}  // namespace kvl
