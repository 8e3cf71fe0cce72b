#include "plugin/foundation/texts/language_sections.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(LanguageSections, ByHostLanguageId) {
  const struct {
    int id;
    const char* section;
  } cases[] = {
      {0, "ENGLISH"}, {1, "FRENCH"},  {2, "GERMAN"},   {3, "SPANISH"},       {4, "ITALIAN"},       {5, "CZECH"},
      {6, "POLISH"},  {7, "ENGLISH"}, {-1, "ENGLISH"}, {INT_MAX, "ENGLISH"}, {INT_MIN, "ENGLISH"},
  };
  for (const auto& c : cases) EXPECT_EQ(kvl::languageSection(c.id), c.section) << c.id;
}

}  // namespace
