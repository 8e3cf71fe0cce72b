#include "plugin/foundation/texts/name_lookup.h"

#include <locale>

namespace kvl {
namespace {

char lower(char c) { return std::tolower(c, std::locale()); }

// Every character of the given word agrees with the entry's, the entry possibly longer.
bool beginsIgnoringCase(const std::string& entry, const std::string& word) {
  if (word.size() > entry.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (lower(entry[i]) != lower(word[i])) return false;
  }
  return true;
}

bool equalIgnoringCase(const std::string& entry, const std::string& word) {
  return entry.size() == word.size() && beginsIgnoringCase(entry, word);
}

}  // namespace

std::int32_t NameLookup::toValue(const NameTable& table, const std::string& word, bool ignoreCase) const {
  for (const auto& [number, entry] : table) {
    const bool match = ignoreCase ? beginsIgnoringCase(entry, word)
                       : option_ != 0 ? entry == word
                                      : equalIgnoringCase(entry, word);
    if (match) return number;
  }
  return -1;
}

std::string NameLookup::toWord(const NameTable& table, std::int32_t number) {
  const auto found = table.find(number);
  return found == table.end() ? std::string() : found->second;
}

}  // namespace kvl
