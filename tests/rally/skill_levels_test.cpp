#include "plugin/rally/skill_levels.h"

#include <gtest/gtest.h>

namespace {

TEST(SkillLevels, CaseInsensitivePrefixOfALevelWord) {
  const kvl::NameTable levels = kvl::rally::skillLevelWords();
  struct Case {
    const char* word;
    std::int32_t level;
  } cases[] = {{"Competent", 3}, {"competent", 3}, {"comp", 3}, {"Exp", 5}, {"Experts", 0}, {"master", 0},
               {"", 1},          {"s", 4},         {"PROF", 2}, {"Inexperienced", 1}, {"Skilled ", 0}};
  for (const auto& c : cases) EXPECT_EQ(kvl::rally::skillLevelOf(levels, c.word), c.level) << '"' << c.word << '"';
}

}  // namespace
