// Word and number lookups in a name table, and the text form of float lists.
#include <gtest/gtest.h>

#include <sstream>

#include "plugin/foundation/texts/float_list.h"
#include "plugin/foundation/texts/name_lookup.h"

namespace kvl {
namespace {

const NameTable kSurfaces = {{0, "tarmac"}, {1, "gravel"}, {2, "snow"}};

TEST(NameLookup, WordsToNumbers) {
  struct Case {
    std::int32_t option;
    const char* word;
    bool ignoreCase;
    std::int32_t expected;
  };
  const Case cases[] = {
      {1, "Gravel", true, 1},  {1, "Gravel", false, -1}, {1, "gravel", false, 1}, {1, "sn", true, 2},
      {1, "", true, 0},        {1, "snowy", true, -1},   {1, "grav", false, -1},  {0, "Gravel", false, 1},
      {0, "Grav", false, -1},  {1, "mud", true, -1},
  };
  for (const Case& c : cases) {
    NameLookup lookup;
    lookup.setOption(c.option);
    EXPECT_EQ(lookup.toValue(kSurfaces, c.word, c.ignoreCase), c.expected) << c.word << " option " << c.option;
  }
  NameLookup lookup;
  lookup.setOption(1);
  EXPECT_EQ(lookup.toValue({}, "", true), -1);
  // The first match by ascending number wins.
  EXPECT_EQ(lookup.toValue({{5, "snow"}, {3, "snowfall"}}, "snow", true), 3);
}

TEST(NameLookup, NumbersToWords) {
  EXPECT_EQ(NameLookup::toWord(kSurfaces, 2), "snow");
  EXPECT_EQ(NameLookup::toWord(kSurfaces, 3), "");
  EXPECT_EQ(NameLookup::toWord(kSurfaces, -1), "");
}

TEST(FloatList, ReadStopsAtTheFirstFailedExtraction) {
  struct Case {
    const char* text;
    FloatList start;
    FloatList expected;
    bool failed;
  };
  const Case cases[] = {
      {"0.5 1 2 4x", {}, {0.5f, 1.0f, 2.0f, 4.0f}, true},
      {"abc", {}, {}, true},
      {"  3\t-1.25\n", {7.0f}, {7.0f, 3.0f, -1.25f}, true},
      {"", {}, {}, true},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    FloatList list = c.start;
    EXPECT_EQ(&readFloatList(in, list), &in);
    EXPECT_EQ(list, c.expected) << c.text;
    EXPECT_EQ(in.fail(), c.failed) << c.text;
  }
}

TEST(FloatList, WritesBlankSeparatedAndRoundTrips) {
  struct Case {
    FloatList list;
    const char* text;
  };
  const Case cases[] = {{{0.5f, 1.0f, 2.0f}, "0.5 1 2"}, {{}, ""}, {{-0.25f}, "-0.25"}};
  for (const Case& c : cases) {
    std::ostringstream out;
    writeFloatList(out, c.list);
    EXPECT_EQ(out.str(), c.text);
    std::istringstream in(out.str());
    FloatList back;
    readFloatList(in, back);
    EXPECT_EQ(back, c.list);
  }
}

}  // namespace
}  // namespace kvl
