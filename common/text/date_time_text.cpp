#include "common/text/date_time_text.h"

#include <cstring>
#include <ctime>

#include "common/text/number_text.h"

namespace kvl {

namespace {

constexpr uint64_t kTicksPerSecond = 10000000ULL;
constexpr uint64_t kSecondsPerDay = 86400ULL;

// Days since 1601-01-01 to a civil date (proleptic Gregorian calendar).
void civilFromDays(int64_t days1601, int64_t& y, unsigned& m, unsigned& d) {
  // Shift to days since 0000-03-01 (Howard Hinnant's algorithm works from 1970-01-01).
  int64_t z = days1601 - 134774 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  if (m <= 2) ++y;
}

}  // namespace

bool fileTimeToSystemTime(uint64_t ticks, SystemTime& out) {
  if (ticks >= 0x8000000000000000ULL) return false;
  const uint64_t seconds = ticks / kTicksPerSecond;
  const uint64_t days = seconds / kSecondsPerDay;
  const uint64_t secOfDay = seconds % kSecondsPerDay;
  int64_t y;
  unsigned m, d;
  civilFromDays(static_cast<int64_t>(days), y, m, d);
  out.year = static_cast<uint16_t>(y);
  out.month = static_cast<uint16_t>(m);
  out.day = static_cast<uint16_t>(d);
  out.dayOfWeek = static_cast<uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
  out.hour = static_cast<uint16_t>(secOfDay / 3600);
  out.minute = static_cast<uint16_t>(secOfDay / 60 % 60);
  out.second = static_cast<uint16_t>(secOfDay % 60);
  out.milliseconds = static_cast<uint16_t>(ticks % kTicksPerSecond / 10000);
  return true;
}

namespace {

// "%0*u": at least `width` digits.
char* appendPadded(char* out, unsigned value, int width) {
  char digits[kNumberTextMax];
  const int n = static_cast<int>(appendUintText(digits, value) - digits);
  for (int i = n; i < width; ++i) *out++ = '0';
  std::memcpy(out, digits, static_cast<std::size_t>(n));
  return out + n;
}

}  // namespace

// The text of "%04hu-%02hu-%02hu %02hu:%02hu:%02hu.%03llu%03llu", formed directly.
char* appendFileTimeText(char* out, uint64_t ticks) {
  SystemTime st;
  if (!fileTimeToSystemTime(ticks, st)) st = SystemTime{};
  const unsigned ms = static_cast<unsigned>(ticks % kTicksPerSecond / 10000);
  const unsigned us = static_cast<unsigned>(ticks % 10000 / 10);
  out = appendPadded(out, st.year, 4);
  *out++ = '-';
  out = appendPadded(out, st.month, 2);
  *out++ = '-';
  out = appendPadded(out, st.day, 2);
  *out++ = ' ';
  out = appendPadded(out, st.hour, 2);
  *out++ = ':';
  out = appendPadded(out, st.minute, 2);
  *out++ = ':';
  out = appendPadded(out, st.second, 2);
  *out++ = '.';
  out = appendPadded(out, ms, 3);
  return appendPadded(out, us, 3);
}

std::string fileTimeText(uint64_t ticks) {
  char text[kFileTimeTextMax];
  return std::string(text, appendFileTimeText(text, ticks));
}

#ifdef _WIN32

SystemTime fromSystemTime(const SYSTEMTIME& st) {
  SystemTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.dayOfWeek = st.wDayOfWeek;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  t.milliseconds = st.wMilliseconds;
  return t;
}

std::string localDateTimeText(const SystemTime& time) {
  SYSTEMTIME st{};
  st.wYear = time.year;
  st.wMonth = time.month;
  st.wDayOfWeek = time.dayOfWeek;
  st.wDay = time.day;
  st.wHour = time.hour;
  st.wMinute = time.minute;
  st.wSecond = time.second;
  st.wMilliseconds = time.milliseconds;
  char buf[1000] = {};
  std::string text;
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 999) <= 0) buf[0] = 0;
  text += buf;
  text += " ";
  buf[0] = 0;
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT, &st, nullptr, buf, 999) <= 0) buf[0] = 0;
  text += buf;
  return text;
}

SystemTime currentLocalTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return fromSystemTime(st);
}

uint64_t currentFileTime() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return fileTimeTicks(ft);
}

#else

std::string localDateTimeText(const SystemTime& time) {
  std::tm tm{};
  tm.tm_year = time.year - 1900;
  tm.tm_mon = time.month - 1;
  tm.tm_mday = time.day;
  tm.tm_hour = time.hour;
  tm.tm_min = time.minute;
  tm.tm_sec = time.second;
  tm.tm_wday = time.dayOfWeek;
  char date[1000] = {};
  char clock[1000] = {};
  if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31) return " ";
  std::strftime(date, 999, "%x", &tm);
  std::strftime(clock, 999, "%H:%M:%S", &tm);
  return std::string(date) + " " + clock;
}

SystemTime currentLocalTime() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  localtime_r(&ts.tv_sec, &tm);
  SystemTime t;
  t.year = static_cast<uint16_t>(tm.tm_year + 1900);
  t.month = static_cast<uint16_t>(tm.tm_mon + 1);
  t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
  t.day = static_cast<uint16_t>(tm.tm_mday);
  t.hour = static_cast<uint16_t>(tm.tm_hour);
  t.minute = static_cast<uint16_t>(tm.tm_min);
  t.second = static_cast<uint16_t>(tm.tm_sec);
  t.milliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
  return t;
}

uint64_t currentFileTime() {
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  return (static_cast<uint64_t>(ts.tv_sec) + 11644473600ULL) * kTicksPerSecond +
         static_cast<uint64_t>(ts.tv_nsec) / 100;
}

#endif

}  // namespace kvl
