#include "plugin/foundation/settings/ini_section_names.h"

#include <gtest/gtest.h>

#include "plugin/foundation/settings/settings_defaults.h"

namespace {

TEST(IniSectionNames, NumberedSectionsPerFileFamily) {
  const struct {
    std::string built;
    const char* expected;
  } cases[] = {
      {kvl::carSectionTwoDigits(3), "Car03"}, {kvl::carSectionTwoDigits(0), "Car00"},
      {kvl::carSectionTwoDigits(7), "Car07"}, {kvl::carSectionTwoDigits(12), "Car12"},
      {kvl::carSectionPlain(3), "Car3"},      {kvl::carSectionPlain(0), "Car0"},
      {kvl::carSectionPlain(10), "Car10"},    {kvl::mapSection(5), "Map05"},
      {kvl::mapSection(41), "Map41"},         {kvl::mapSection(1), "Map01"},
      {kvl::mapSection(100), "Map100"},       {kvl::carSectionTwoDigits(-1), "Car-1"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected);
}

TEST(IniSectionNames, ForceFeedbackSensitivityKeys) {
  const struct {
    std::string built;
    const char* expected;
  } cases[] = {
      {kvl::forceFeedbackSensitivityKey(0), "ForceFeedbackSensitivityGravel"},
      {kvl::forceFeedbackSensitivityKey(1), "ForceFeedbackSensitivityTarmac"},
      {kvl::forceFeedbackSensitivityKey(2), "ForceFeedbackSensitivitySnow"},
      {kvl::forceFeedbackSensitivityKey(3), "ForceFeedbackSensitivityGravel"},
      {kvl::forceFeedbackSensitivityKey(-1), "ForceFeedbackSensitivityGravel"},
      {kvl::forceFeedbackSensitivityKey(0, 3), "ForceFeedbackSensitivityGravel_Car3"},
      {kvl::forceFeedbackSensitivityKey(1, 0), "ForceFeedbackSensitivityTarmac_Car0"},
      {kvl::forceFeedbackSensitivityKey(2, 7), "ForceFeedbackSensitivitySnow_Car7"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.built, c.expected);
}

TEST(SettingsLimits, WorkerRatesAndTelemetryTics) {
  const struct {
    int32_t read;
    int32_t rate;
  } rates[] = {{-5, 0},      {0, 0},       {1, 1},         {720, 720},       {1000, 1000},
               {1001, 1000}, {5000, 1000}, {INT32_MIN, 0}, {INT32_MAX, 1000}};
  for (const auto& c : rates) EXPECT_EQ(kvl::limitWorkerRate(c.read), c.rate) << c.read;
  const struct {
    int32_t read;
    int32_t tics;
  } tics[] = {{0, 5}, {-3, 5}, {INT32_MIN, 5}, {1, 1}, {5, 5}, {12, 12}};
  for (const auto& c : tics) EXPECT_EQ(kvl::effectiveTelemetryTics(c.read), c.tics) << c.read;
}

}  // namespace
