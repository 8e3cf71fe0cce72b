#include "plugin/tracks/file_name_sanitizer.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNameSanitizer, ReplacesOnlyForbiddenCharacters) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"a<b>c|d", "a_b_c_d"},
      {"C:\\x/y", "C__x_y"},
      {"*?\"", "___"},
      {"Stage 1, (night). ", "Stage 1, (night). "},
      {std::string("tab\tbell\x07", 9), std::string("tab\tbell\x07", 9)},
      {"", ""},
      {"caf\xE9 \x80\xFF", "caf\xE9 \x80\xFF"},
      {"12.03.2026 14:05:09", "12.03.2026 14_05_09"},
  };
  kvl::tracks::FileNameSanitizer sanitizer;
  for (const Case& c : cases) {
    const std::string out = sanitizer.setReplacement('_').sanitize(c.in);
    EXPECT_EQ(out, c.out) << c.in;
    EXPECT_EQ(out.size(), c.in.size());
  }
}

TEST(FileNameSanitizer, ReplacementIsChainable) {
  kvl::tracks::FileNameSanitizer sanitizer;
  EXPECT_EQ(sanitizer.setReplacement('-').sanitize("a/b"), "a-b");
  EXPECT_EQ(sanitizer.sanitize("c:d"), "c-d");
}

}  // namespace
