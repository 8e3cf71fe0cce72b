#include "plugin/rally/skill_levels.h"

namespace kvl::rally {

NameTable skillLevelWords() {
  return {{1, "Inexperienced"}, {2, "Proficient"}, {3, "Competent"}, {4, "Skilled"}, {5, "Expert"}};
}

std::int32_t skillLevelOf(const NameTable& levels, const std::string& word) {
  NameLookup lookup;
  lookup.setOption(1);
  const std::int32_t level = lookup.toValue(levels, word, true);
  return level < 0 ? 0 : level;
}

}  // namespace kvl::rally
