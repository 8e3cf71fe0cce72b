#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kvl {

// A calendar time split into fields, laid out like the system's SYSTEMTIME.
struct SystemTime {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t dayOfWeek = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
};

// Splits a count of 100-ns units since 1 January 1601 into calendar fields (no time-zone
// change). Counts of 2^63 and above are rejected, as the system does.
bool fileTimeToSystemTime(uint64_t ticks, SystemTime& out);

// "YYYY-MM-DD hh:mm:ss.uuuuuu" of a FILETIME count; a rejected count prints zeros for the date
// and time fields.
std::string fileTimeText(uint64_t ticks);
// The same text written at `out` (at most kFileTimeTextMax characters, no terminating zero);
// returns its end.
constexpr std::size_t kFileTimeTextMax = 32;
char* appendFileTimeText(char* out, uint64_t ticks);

// The user's short date, a blank, the time in 24-hour form; a failing piece stays empty.
std::string localDateTimeText(const SystemTime& time);

// The current local time.
SystemTime currentLocalTime();

// The current UTC time as a FILETIME count.
uint64_t currentFileTime();

#ifdef _WIN32
inline uint64_t fileTimeTicks(const FILETIME& ft) {
  return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
inline std::string fileTimeText(const FILETIME& ft) { return fileTimeText(fileTimeTicks(ft)); }
SystemTime fromSystemTime(const SYSTEMTIME& st);
inline std::string localDateTimeText(const SYSTEMTIME& st) {
  return localDateTimeText(fromSystemTime(st));
}
#endif

}  // namespace kvl
