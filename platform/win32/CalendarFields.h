#pragma once
// The kernel's calendar time as the C library's fields, for every Windows implementation of a
// seam. Include after windows.h.

#include <ctime>

namespace ZorPlatform {

// Days before the first of each month in a common year.
inline const int DAYS_BEFORE_MONTH[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

inline bool IsLeapYear(int nYear) {
  return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

// A calendar time of the kernel as the C library's fields; whether daylight saving is in force
// is left to the C library (-1), as the calendar fields are all the module reads.
inline std::tm CalendarFields(const SYSTEMTIME& time) {
  std::tm tmLocal{};
  tmLocal.tm_year = time.wYear - 1900;
  tmLocal.tm_mon = time.wMonth - 1;
  tmLocal.tm_mday = time.wDay;
  tmLocal.tm_hour = time.wHour;
  tmLocal.tm_min = time.wMinute;
  tmLocal.tm_sec = time.wSecond;
  tmLocal.tm_wday = time.wDayOfWeek;
  int nMonth = (time.wMonth >= 1 && time.wMonth <= 12) ? time.wMonth - 1 : 0;
  tmLocal.tm_yday = DAYS_BEFORE_MONTH[nMonth] + time.wDay - 1 +
                    (nMonth >= 2 && IsLeapYear(time.wYear) ? 1 : 0);
  tmLocal.tm_isdst = -1;
  return tmLocal;
}

}  // namespace ZorPlatform
