#include "daemons/sound/ini_value.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(SoundIniValue, BoolAcceptsTrueFalseInAnyCaseOrTheNumberOne) {
  const struct {
    const char* text;
    bool expected;
  } cases[] = {{"true", true},  {"TRUE", true},  {"True", true},  {"1", true},
               {"false", false}, {"FALSE", false}, {"yes", false}, {"0", false},
               {"", false},     {"2", false},    {"01", true},    {"1abc", true}};
  for (const auto& c : cases) EXPECT_EQ(parseIniBool(c.text), c.expected) << c.text;
}

TEST(SoundIniValue, NumbersUseTheClassicLocaleAndUnreadableTextGivesZero) {
  const struct {
    const char* text;
    unsigned asUnsigned;
    float asFloat;
  } cases[] = {{"70000", 70000u, 70000.0f}, {"0", 0u, 0.0f},       {"", 0u, 0.0f},
               {"abc", 0u, 0.0f},           {"2.5", 2u, 2.5f},     {"-0.5", 0u, -0.5f},
               {"1e3", 1u, 1000.0f},        {"3,5", 3u, 3.0f}};
  for (const auto& c : cases) {
    if (c.text[0] != '-') {
      EXPECT_EQ(parseIniUnsigned(c.text), c.asUnsigned) << c.text;
    }
    EXPECT_FLOAT_EQ(parseIniFloat(c.text), c.asFloat) << c.text;
  }
}

TEST(SoundIniValue, DefaultTextsReadBackAsTheirValues) {
  EXPECT_TRUE(parseIniBool(iniBoolText(true)));
  EXPECT_FALSE(parseIniBool(iniBoolText(false)));
  EXPECT_EQ(parseIniUnsigned(iniUnsignedText(4464)), 4464u);
  EXPECT_EQ(parseIniFloat(iniFloatText(1.0f)), 1.0f);
  EXPECT_EQ(parseIniFloat(iniFloatText(0.1f)), 0.1f);
}

TEST(SoundIniValue, CarSectionsAreZeroFilledToTwoDigits) {
  EXPECT_EQ(carSectionName(0), "Car00");
  EXPECT_EQ(carSectionName(3), "Car03");
  EXPECT_EQ(carSectionName(12), "Car12");
  EXPECT_EQ(carSectionName(123), "Car123");
}

TEST(SoundIniValue, TrimRemovesBlanksAroundTheValue) {
  EXPECT_EQ(trimIniText("  rally \t"), "rally");
  EXPECT_EQ(trimIniText("my bank"), "my bank");
}

}  // namespace
}  // namespace kvl
