#pragma once
// Numbers and the words of an ordered name table, looked up in both directions.
#include <cstdint>
#include <map>
#include <string>

namespace kvl {

using NameTable = std::map<std::int32_t, std::string>;

class NameLookup {
 public:
  // With the option 0 a word kept in its case still matches in any letter case; every caller
  // sets 1 (exact words).
  void setOption(std::int32_t option) noexcept { option_ = option; }

  // The number of the first entry, by ascending number, whose word matches; -1 when none does.
  // Ignoring case, the given word matches every entry word it begins ("gra" finds "gravel", the
  // empty word the first entry).
  std::int32_t toValue(const NameTable& table, const std::string& word, bool ignoreCase) const;
  // The word of exactly that number; empty when the table has none.
  static std::string toWord(const NameTable& table, std::int32_t number);

 private:
  std::int32_t option_ = 0;
};

}  // namespace kvl
