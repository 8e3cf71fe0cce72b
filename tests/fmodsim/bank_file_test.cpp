#include "fmodsim/sim_bank_file.h"

#include <gtest/gtest.h>

namespace fmodsim {
namespace {

TEST(FmodSimBankFile, ReadsEventsAndTheirProperties) {
  std::vector<BankEvent> events;
  ASSERT_TRUE(parseBankText(
      "fmodsim bank\r\n# engine\r\nevent event:/engine_int\r\nproperty fluctuation_length float 0.5\r\n"
      "\r\nevent event:/wheel\nproperty label string two words\n",
      events));
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].path, "event:/engine_int");
  ASSERT_EQ(events[0].properties.size(), 1u);
  EXPECT_EQ(events[0].properties[0].type, "float");
  EXPECT_EQ(events[0].properties[0].value, "0.5");
  EXPECT_EQ(events[1].properties[0].value, "two words");
}

TEST(FmodSimBankFile, RejectsWhatIsNotABank) {
  const char* bad[] = {"", "not a bank\n", "fmodsim bank\nproperty x int 1\n",
                       "fmodsim bank\nevent\n", "fmodsim bank\nevent e\nproperty x double 1\n",
                       "fmodsim bank\nsound e\n"};
  for (const char* text : bad) {
    std::vector<BankEvent> events;
    EXPECT_FALSE(parseBankText(text, events)) << text;
  }
}

}  // namespace
}  // namespace fmodsim
