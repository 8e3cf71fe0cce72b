#include "common/text/date_time_text.h"

#include <gtest/gtest.h>

namespace {

// FILETIME count of a UTC calendar time, built independently of the code under test.
uint64_t ticksOf(int days1601, int h, int m, int s, uint64_t extraTicks) {
  return ((static_cast<uint64_t>(days1601) * 86400 + h * 3600 + m * 60 + s) * 10000000ULL) + extraTicks;
}

TEST(FileTimeText, KnownTimes) {
  struct Case {
    uint64_t ticks;
    const char* text;
  };
  // 1970-01-01 is day 134774 after 1601-01-01; 2024-09-15 is day 154755.
  const Case cases[] = {
      {0, "1601-01-01 00:00:00.000000"},
      {ticksOf(134774, 0, 0, 0, 0), "1970-01-01 00:00:00.000000"},
      {ticksOf(154755, 12, 30, 0, 5000000), "2024-09-15 12:30:00.500000"},
      {ticksOf(154755, 23, 59, 59, 9999999), "2024-09-15 23:59:59.999999"},
      {ticksOf(154755, 0, 0, 1, 1234567), "2024-09-15 00:00:01.123456"},
      // 2000-02-29, a leap day (day 145790).
      {ticksOf(145790, 6, 7, 8, 90), "2000-02-29 06:07:08.000009"},
      // Rejected counts print zeros for the calendar fields but keep the fractions.
      {0x8000000000000000ULL, "0000-00-00 00:00:00.477580"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kvl::fileTimeText(c.ticks), c.text) << c.ticks;
  }
}

TEST(FileTimeText, CalendarAgreesAcrossCenturies) {
  // Every 1 March from 1601 to 2400 must split into the right date.
  for (int year = 1601; year <= 2400; year += 7) {
    // Days from 1601-01-01 to year-03-01.
    int days = 0;
    for (int y = 1601; y < year; ++y) days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
    const bool leap = (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0));
    days += 31 + (leap ? 29 : 28);
    kvl::SystemTime st;
    ASSERT_TRUE(kvl::fileTimeToSystemTime(ticksOf(days, 0, 0, 0, 0), st));
    EXPECT_EQ(st.year, year);
    EXPECT_EQ(st.month, 3);
    EXPECT_EQ(st.day, 1);
  }
}

TEST(LocalDateTimeText, HasDateBlankAndTime) {
  kvl::SystemTime t;
  t.year = 2024;
  t.month = 9;
  t.day = 15;
  t.hour = 17;
  t.minute = 5;
  t.second = 9;
  const std::string text = kvl::localDateTimeText(t);
  EXPECT_NE(text.find(' '), std::string::npos);
  EXPECT_NE(text.find("17:05:09"), std::string::npos) << text;
}

}  // namespace
