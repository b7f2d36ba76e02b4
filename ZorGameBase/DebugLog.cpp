#include "DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

#include "LoadObserver.h"
#include "ZorPlatform.h"

namespace ZorGameBase {
namespace {

const int LOG_BUFFER = 1024;
const int RING_SLOTS = 8;

// The last eight messages accepted by DebugLog; all slots start empty.
struct RecentMessages {
  char aszSlot[RING_SLOTS][LOG_BUFFER];
  unsigned nNext;
};

RecentMessages g_recent;  // zero-filled at load
std::mutex g_logMutex;    // guards g_recent and the file append

const char* const DAY_NAMES[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONTH_NAMES[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// "Thu Dec 03 22:10:01 2026\n": English names whatever the process locale is.
void FormatTimeString(const std::tm& tmLocal, char* pszOut, size_t nSize) {
  snprintf(pszOut, nSize, "%.3s %.3s %02d %02d:%02d:%02d %d\n",
           DAY_NAMES[(tmLocal.tm_wday % 7 + 7) % 7], MONTH_NAMES[(tmLocal.tm_mon % 12 + 12) % 12],
           tmLocal.tm_mday, tmLocal.tm_hour, tmLocal.tm_min, tmLocal.tm_sec,
           tmLocal.tm_year + 1900);
}

// Where records go. Outside a batch the day's file is opened and closed for each record;
// within one it stays open between records (each flushed as written, so the file holds every
// record at once, as after a close) until the date changes or the last batch ends. The time
// and file name strings are kept for the second they were made in.
struct LogTarget {
  FILE* pFile;       // kept open within a batch; else null
  char szFile[256];  // the name pFile was opened under
  int nBatches;
  std::tm tmLast;  // the local time the strings below were made for
  bool bLastValid;
  char szLastFile[256];
  char szLastTime[64];
};

LogTarget g_target;  // zero-filled at load

bool SameSecond(const std::tm& a, const std::tm& b) {
  return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour &&
         a.tm_mday == b.tm_mday && a.tm_mon == b.tm_mon && a.tm_year == b.tm_year &&
         a.tm_wday == b.tm_wday;
}

// "./debug/<year>_<month>_<day>.log" for the local date.
void DayFileName(const std::tm& tmLocal, char* pszOut, size_t nSize) {
  snprintf(pszOut, nSize, "./debug/%u_%u_%u.log", static_cast<unsigned>(tmLocal.tm_year + 1900),
           static_cast<unsigned>(tmLocal.tm_mon + 1), static_cast<unsigned>(tmLocal.tm_mday));
}

void CloseKeptLocked() {
  if (g_target.pFile != nullptr) fclose(g_target.pFile);
  g_target.pFile = nullptr;
}

// Caller holds g_logMutex.
void AppendRecordLocked(const char* pszMessage) {
  std::tm tmLocal = ZorPlatform::LocalTimeNow();
  if (!g_target.bLastValid || !SameSecond(tmLocal, g_target.tmLast)) {
    DayFileName(tmLocal, g_target.szLastFile, sizeof(g_target.szLastFile));
    FormatTimeString(tmLocal, g_target.szLastTime, sizeof(g_target.szLastTime));
    g_target.tmLast = tmLocal;
    g_target.bLastValid = true;
  }
  FILE* pFile = g_target.pFile;
  if (pFile == nullptr || strcmp(g_target.szFile, g_target.szLastFile) != 0) {
    CloseKeptLocked();
    ZorPlatform::MakeDirectory("debug");
    pFile = fopen(g_target.szLastFile, "a+");
    if (pFile != nullptr && g_target.nBatches > 0) {
      g_target.pFile = pFile;
      memcpy(g_target.szFile, g_target.szLastFile, sizeof(g_target.szFile));
    }
  }
  if (LoadObserver() != nullptr) NoteLogRecord(pszMessage, pFile != nullptr);
  if (pFile == nullptr) return;
  fprintf(pFile, "%s -- %s", pszMessage, g_target.szLastTime);
  if (pFile == g_target.pFile) {
    fflush(pFile);
  } else {
    fclose(pFile);
  }
}

void LogMessage(const char* pszMessage) {
  std::lock_guard<std::mutex> lock(g_logMutex);
  for (const char* pszSlot : g_recent.aszSlot) {
    if (strcmp(pszSlot, pszMessage) == 0) return;
  }
  char* pszSlot = g_recent.aszSlot[g_recent.nNext];
  strncpy(pszSlot, pszMessage, LOG_BUFFER - 1);
  pszSlot[LOG_BUFFER - 1] = '\0';
  g_recent.nNext = (g_recent.nNext + 1) % RING_SLOTS;
  AppendRecordLocked(pszMessage);
}

// Longer messages are cut to the buffer; the system's own formats never reach it.
void FormatMessage(char* pszBuffer, size_t nSize, const char* pszFormat, va_list args) {
  memset(pszBuffer, 0, nSize);
  vsnprintf(pszBuffer, nSize, pszFormat, args);
}

void LogFormatted(const char* pszFormat, va_list args) {
  if (pszFormat == nullptr) return;
  char szMessage[LOG_BUFFER];
  FormatMessage(szMessage, sizeof(szMessage), pszFormat, args);
  LogMessage(szMessage);
}

}  // namespace

void DebugLog(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  LogFormatted(pszFormat, args);
  va_end(args);
}

void DebugOutput(const char* pszFormat, ...) {
  if (pszFormat == nullptr) return;
  char szMessage[LOG_BUFFER];
  va_list args;
  va_start(args, pszFormat);
  FormatMessage(szMessage, LOG_BUFFER - 1, pszFormat, args);
  va_end(args);
  strcat(szMessage, "\n");
  ZorPlatform::DebuggerOutput(szMessage);
}

bool DebugLogWritable() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  std::tm tmLocal = ZorPlatform::LocalTimeNow();
  ZorPlatform::MakeDirectory("debug");
  char szFileName[256];
  DayFileName(tmLocal, szFileName, sizeof(szFileName));
  FILE* pFile = fopen(szFileName, "a+");
  if (pFile == nullptr) return false;
  fclose(pFile);
  return true;
}

CLogBatch::CLogBatch() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  ++g_target.nBatches;
}

CLogBatch::~CLogBatch() {
  std::lock_guard<std::mutex> lock(g_logMutex);
  if (--g_target.nBatches == 0) CloseKeptLocked();
}

void WriteLogRecord(const char* pszMessage) {
  if (pszMessage == nullptr) return;
  std::lock_guard<std::mutex> lock(g_logMutex);
  AppendRecordLocked(pszMessage);
}

void LogAssertion(const char* pszFormat, int nLine, const char* pszFile,
                  const char* pszSignature) {
  // The name ends at the parameter list: the first "(" outside template brackets,
  // "operator()" excepted. It starts after the last blank before that at depth 0.
  const char* pszEnd = pszSignature;
  int nDepth = 0;
  for (; *pszEnd != '\0'; ++pszEnd) {
    if (*pszEnd == '<') ++nDepth;
    if (*pszEnd == '>' && nDepth > 0) --nDepth;
    if (*pszEnd == '(' && nDepth == 0) {
      if (pszEnd - pszSignature >= 8 && strncmp(pszEnd - 8, "operator", 8) == 0 &&
          pszEnd[1] == ')') {
        ++pszEnd;
        continue;
      }
      break;
    }
  }
  const char* pszBegin = pszEnd;
  nDepth = 0;
  while (pszBegin > pszSignature) {
    char ch = pszBegin[-1];
    if (ch == '>') ++nDepth;
    if (ch == '<' && nDepth > 0) --nDepth;
    if ((ch == ' ' || ch == '*' || ch == '&') && nDepth == 0 &&
        !(pszBegin - pszSignature >= 9 && strncmp(pszBegin - 9, "operator ", 9) == 0))
      break;
    --pszBegin;
  }
  char szName[256];
  size_t nOut = 0;
  for (const char* p = pszBegin; p < pszEnd && nOut + 2 < sizeof(szName); ++p) {
    szName[nOut++] = *p;
    // "operator=" is written "operator =", the way the shipping compiler names it.
    if (p - pszBegin >= 7 && strncmp(p - 7, "operator", 8) == 0 && p + 1 < pszEnd &&
        p[1] != ' ')
      szName[nOut++] = ' ';
  }
  szName[nOut] = '\0';
  DebugLog(pszFormat, nLine, pszFile, szName);
}

}  // namespace ZorGameBase
