// The platform seam on Windows: the kernel's own services, as the client's platform offers them.
#include "ZorPlatform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <atomic>

namespace ZorPlatform {

namespace {

// Days before the first of each month in a common year.
const int DAYS_BEFORE_MONTH[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool IsLeapYear(int nYear) { return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0; }

std::atomic<DebuggerSink> g_pfnDebuggerSink{nullptr};

}  // namespace

// The kernel's local clock; whether daylight saving is in force is left to the C library
// (-1), as the calendar fields are all the module reads.
std::tm LocalTimeNow() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  std::tm tmLocal{};
  tmLocal.tm_year = local.wYear - 1900;
  tmLocal.tm_mon = local.wMonth - 1;
  tmLocal.tm_mday = local.wDay;
  tmLocal.tm_hour = local.wHour;
  tmLocal.tm_min = local.wMinute;
  tmLocal.tm_sec = local.wSecond;
  tmLocal.tm_wday = local.wDayOfWeek;
  int nMonth = (local.wMonth >= 1 && local.wMonth <= 12) ? local.wMonth - 1 : 0;
  tmLocal.tm_yday = DAYS_BEFORE_MONTH[nMonth] + local.wDay - 1 +
                    (nMonth >= 2 && IsLeapYear(local.wYear) ? 1 : 0);
  tmLocal.tm_isdst = -1;
  return tmLocal;
}

bool MakeDirectory(const char* pszPath) {
  if (pszPath == nullptr) return false;
  if (CreateDirectoryA(pszPath, nullptr)) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  DWORD nAttributes = GetFileAttributesA(pszPath);
  return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The kernel drops the text itself when no debugger is attached.
void DebuggerOutput(const char* pszText) {
  if (pszText == nullptr) return;
  DebuggerSink pfnSink = g_pfnDebuggerSink.load();
  if (pfnSink != nullptr) {
    pfnSink(pszText);
    return;
  }
  OutputDebugStringA(pszText);
}

void SetDebuggerSink(DebuggerSink pfnSink) { g_pfnDebuggerSink.store(pfnSink); }

}  // namespace ZorPlatform
