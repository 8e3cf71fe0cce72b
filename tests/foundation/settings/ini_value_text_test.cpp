#include "plugin/foundation/settings/ini_value_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(IniValueText, TrimsWhiteSpaceAtBothEndsOnly) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"", ""},
      {" 5 ", "5"},
      {"\t\r\n\v\f x \t", "x"},
      {"a b", "a b"},
      {"  a  b  ", "a  b"},
      {"   ", ""},
      {"\xC3\xA9 ", "\xC3\xA9"},
  };
  for (const auto& c : cases) EXPECT_EQ(kvl::trimIniText(c.in), c.out) << '"' << c.in << '"';
}

TEST(IniValueText, NamesCompareInAnyLetterCaseWithEqualLength) {
  EXPECT_TRUE(kvl::sameIniName("centerMenu", "CENTERMENU"));
  EXPECT_TRUE(kvl::sameIniName("centerMenu", "centermenu"));
  EXPECT_TRUE(kvl::sameIniName("", ""));
  EXPECT_FALSE(kvl::sameIniName("centerMenu", "centerMenu2"));
  EXPECT_FALSE(kvl::sameIniName("centerMenu", "centerMen"));
  EXPECT_FALSE(kvl::sameIniName("fixVSync", "fixVSynd"));
}

TEST(IniValueText, FormatsInTheClassicForm) {
  EXPECT_EQ(kvl::formatIniBool(true), "1");
  EXPECT_EQ(kvl::formatIniBool(false), "0");
  const struct {
    int32_t value;
    const char* text;
  } ints[] = {{0, "0"}, {-7, "-7"}, {1000000, "1000000"}, {INT32_MIN, "-2147483648"}, {INT32_MAX, "2147483647"}};
  for (const auto& c : ints) EXPECT_EQ(kvl::formatIniInt(c.value), c.text);
  EXPECT_EQ(kvl::formatIniUnsigned(4294967295u), "4294967295");
  const struct {
    float value;
    const char* text;
  } floats[] = {
      {1.0f, "1"},           {0.5f, "0.5"},       {1e-7f, "1e-07"},  {123456789.0f, "1.23457e+08"},
      {0.000001f, "1e-06"},  {0.1f, "0.1"},       {-2.25f, "-2.25"}, {100000.0f, "100000"},
      {1000000.0f, "1e+06"}, {0.0001f, "0.0001"}, {0.0f, "0"},
  };
  for (const auto& c : floats) EXPECT_EQ(kvl::formatIniFloat(c.value), c.text) << c.value;
}

TEST(IniValueText, BoolRule) {
  const struct {
    const char* text;
    bool value;
  } cases[] = {
      {"", false},      {"true", true},   {"TRUE", true},   {"True", true}, {"tRuE", true},
      {"false", false}, {"FALSE", false}, {"True1", false}, {"1", true},    {"01", true},
      {" 1", true},     {"1abc", true},   {"2", false},     {"-1", false},  {"0", false},
      {"yes", false},   {"on", false},    {"truex", false}, {"tru", false}, {"99999999999", false},
  };
  for (const auto& c : cases) EXPECT_EQ(kvl::parseIniBool(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniValueText, IntRuleReadsTheLeadingNumberAndSaturates) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"", 0},
      {"0x10", 0},
      {"-7", -7},
      {"+12", 12},
      {"12abc", 12},
      {"abc", 0},
      {"  42", 42},
      {"- 4", 0},
      {"1.9", 1},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", INT32_MAX},
      {"-2147483649", INT32_MIN},
      {"99999999999999999999999999", INT32_MAX},
      {"-99999999999999999999999999", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(kvl::parseIniInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniValueText, UnsignedRule) {
  const struct {
    const char* text;
    uint32_t value;
  } cases[] = {
      {"", 0},
      {"0", 0},
      {"6776", 6776},
      {"12x", 12},
      {"abc", 0},
      {"4294967295", 4294967295u},
      {"99999999999", 4294967295u},
  };
  for (const auto& c : cases) EXPECT_EQ(kvl::parseIniUnsigned(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniValueText, FloatRuleGivesFiniteResults) {
  const struct {
    const char* text;
    float value;
  } cases[] = {
      {"", 0.0f},       {"0.1", 0.1f}, {"1.5x", 1.5f}, {"1,5", 1.0f},  {"abc", 0.0f},      {"-2.5", -2.5f},
      {"1e-06", 1e-6f}, {"nan", 0.0f}, {"inf", 0.0f},  {"-inf", 0.0f}, {"1e999", FLT_MAX}, {"-1e999", -FLT_MAX},
  };
  for (const auto& c : cases) {
    const float v = kvl::parseIniFloat(c.text);
    EXPECT_TRUE(std::isfinite(v)) << c.text;
    EXPECT_FLOAT_EQ(v, c.value) << '"' << c.text << '"';
  }
}

TEST(IniValueText, SavedTextsReadBackToTheSameValue) {
  for (float v : {0.0f, 1.0f, 0.5f, -3.25f, 1e-6f, 1000.0f}) {
    EXPECT_EQ(kvl::parseIniFloat(kvl::formatIniFloat(v)), v);
  }
  for (int32_t v : {0, 1, -1, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(kvl::parseIniInt(kvl::formatIniInt(v)), v);
  for (bool v : {false, true}) EXPECT_EQ(kvl::parseIniBool(kvl::formatIniBool(v)), v);
}

}  // namespace
