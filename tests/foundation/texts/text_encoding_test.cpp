#include "plugin/foundation/texts/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextEncoding, Utf8RoundTrips) {
  const struct {
    std::string utf8;
    std::wstring wide;
  } cases[] = {
      {"Gravel", L"Gravel"},
      {"R\xC3\xA9glages", L"R\u00E9glages"},
      {"\xC5\xBD\xC3\xA1\xC4\x8F", L"\u017D\u00E1\u010F"},
      {"\xE2\x82\xAC 5", L"\u20AC 5"},
      {"\xF0\x9F\x9A\x97", L"\xD83D\xDE97"},  // outside the basic plane: a surrogate pair
  };
  for (const auto& c : cases) {
    std::wstring wide;
    ASSERT_TRUE(kvl::fromUtf8(c.utf8, wide)) << c.utf8;
    EXPECT_EQ(wide, c.wide) << c.utf8;
    EXPECT_EQ(kvl::utf8ToWide(c.utf8), c.wide);
    std::string narrow;
    ASSERT_TRUE(kvl::toUtf8(c.wide, narrow));
    EXPECT_EQ(narrow, c.utf8);
  }
  // Latin letters with diacritics take two bytes each.
  std::string latin;
  ASSERT_TRUE(kvl::toUtf8(L"\u00E9\u00E8\u00FC\u00F1", latin));
  EXPECT_EQ(latin.size(), 8u);
}

TEST(TextEncoding, EmptySourcesSucceedAndTouchNothing) {
  std::wstring wide = L"kept";
  EXPECT_TRUE(kvl::fromUtf8("", wide));
  EXPECT_EQ(wide, L"kept");
  std::string narrow = "kept";
  EXPECT_TRUE(kvl::toUtf8(L"", narrow));
  EXPECT_EQ(narrow, "kept");
  EXPECT_EQ(kvl::utf8ToWide(""), L"");
}

TEST(TextEncoding, ConvertsUpToAnEmbeddedZero) {
  std::wstring wide = L"old";
  EXPECT_TRUE(kvl::fromUtf8(std::string("ab\0cd", 5), wide));
  EXPECT_EQ(wide, L"ab");
  std::string narrow = "old";
  EXPECT_TRUE(kvl::toUtf8(std::wstring(L"xy\0z", 4), narrow));
  EXPECT_EQ(narrow, "xy");
  // A source that starts with its zero gives an empty text.
  EXPECT_TRUE(kvl::fromUtf8(std::string("\0z", 2), wide));
  EXPECT_EQ(wide, L"");
}

TEST(TextEncoding, InvalidInputIsReplacedNotRejected) {
  std::wstring wide;
  ASSERT_TRUE(
      kvl::fromUtf8("a\xFF"
                    "b",
                    wide));
  EXPECT_EQ(wide.front(), L'a');
  EXPECT_EQ(wide.back(), L'b');
  EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos);
}

TEST(TextEncoding, CodePagesAndFailures) {
  std::wstring wide;
  ASSERT_TRUE(kvl::toWide("\xE9t\xE9", wide, 1252));
  EXPECT_EQ(wide, L"\u00E9t\u00E9");
  std::string narrow;
  ASSERT_TRUE(kvl::toNarrow(L"\u00E9t\u00E9", narrow, 1252));
  EXPECT_EQ(narrow, "\xE9t\xE9");

  // A code page the system does not know fails and leaves the output alone.
  std::wstring keptWide = L"kept";
  EXPECT_FALSE(kvl::toWide("abc", keptWide, 12345));
  EXPECT_EQ(keptWide, L"kept");
  std::string keptNarrow = "kept";
  EXPECT_FALSE(kvl::toNarrow(L"abc", keptNarrow, 12345));
  EXPECT_EQ(keptNarrow, "kept");
}

}  // namespace
