#pragma once
#include <cstdint>
#include <string>

namespace kvl {

// One key of one section of one ini file. Options are built where a setting is needed, with
// the default the reader wants, read or saved, and dropped; nothing is cached.
class IniOption {
 public:
  IniOption(const std::string& key, const std::string& iniFile);
  virtual ~IniOption();

  virtual std::string section() const = 0;

  std::string key() const { return key_; }
  std::string iniFile() const { return iniFile_; }
  // The ini file exists and its section holds the key, in any letter case; the value is not
  // looked at.
  bool isPresent() const;

 protected:
  std::string key_;
  std::string iniFile_;
};

// An option of one value type. `read` returns what the file holds, with the option's value as
// the default; `save` writes the given value (not the value field).
template <typename T>
class TypedIniOption : public IniOption {
 public:
  using Value = T;

  TypedIniOption(const std::string& key, const std::string& iniFile, const T& value, const std::string& section)
      : IniOption(key, iniFile), value_(value), section_(section) {}

  std::string section() const override { return section_; }
  virtual T read() const;
  virtual T* valuePtr() { return &value_; }
  bool save(const T& value) const;

 protected:
  T value_;
  std::string section_;
};

extern template class TypedIniOption<bool>;
extern template class TypedIniOption<int32_t>;
extern template class TypedIniOption<uint32_t>;
extern template class TypedIniOption<float>;
extern template class TypedIniOption<std::string>;

using BoolOption = TypedIniOption<bool>;
using IntOption = TypedIniOption<int32_t>;
using IntIniOption = IntOption;
using UnsignedOption = TypedIniOption<uint32_t>;
using FloatOption = TypedIniOption<float>;
using StringOption = TypedIniOption<std::string>;

// Saves the option's own value when its key is missing from the file; never overwrites a
// present key. True when the key was written.
template <typename Option>
bool saveIfMissing(Option& option) {
  if (option.isPresent()) return false;
  return option.save(*option.valuePtr());
}

}  // namespace kvl
