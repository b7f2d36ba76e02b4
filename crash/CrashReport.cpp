// Crash records: version stamp, call-stack trace and message, to the log and the upload.
#include "CrashReport.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "CrashUpload.h"
#include "DebugLog.h"
#include "CrashPlatform.h"

namespace ZorGameBase {
namespace {

const char VERSION_FILE[] = "version.dat";
const int MSG_VERSION = 999;
const size_t RELEASE_VERSION_BYTES = 63;
const size_t MODULE_NAME_SIZE = 260;

// Appends text when it fits whole (with its terminating zero) after nUsed bytes.
bool AppendWhole(char* pszOut, size_t nOutSize, size_t& nUsed, const char* pszText) {
  size_t nLength = strlen(pszText);
  if (nUsed + nLength >= nOutSize) return false;
  memcpy(pszOut + nUsed, pszText, nLength + 1);
  nUsed += nLength;
  return true;
}

}  // namespace

void CrashRecord(const void* pExceptionContext, const char* pszFormat, ...) {
  char szTrace[CRASH_TRACE_SIZE];
  WalkCallStack(CRASH_TRACE_MAX_INDEX, szTrace, sizeof(szTrace), pExceptionContext);
  char szRecord[CRASH_RECORD_SIZE];
  va_list args;
  va_start(args, pszFormat);
  ComposeCrashRecord(szRecord, szTrace, pszFormat, args);
  va_end(args);
  DebugLog("%s", szRecord);
  StartCrashUpload(szRecord);
}

// Offsets are eight upper-case hex digits, more only when an address needs them (a frame of no
// known image on a 64-bit process).
char* WalkCallStack(int nMaxIndex, char* pszOut, size_t nOutSize, const void*) {
  if (pszOut == nullptr || nOutSize == 0) return nullptr;
  pszOut[0] = '\0';
  if (nMaxIndex < 0) return nullptr;
  const int FRAMES_MAX = 64;
  void* apFrames[FRAMES_MAX];
  int nWanted = nMaxIndex < FRAMES_MAX ? nMaxIndex + 1 : FRAMES_MAX;
  int nFrames = CrashPlatform::CaptureStackFrames(apFrames, nWanted);
  if (nFrames <= 0) return nullptr;
  size_t nUsed = 0;
  bool bFoundBefore = false;
  uintptr_t nLastBase = 0;
  for (int i = 0; i < nFrames; ++i) {
    uintptr_t nAddress = reinterpret_cast<uintptr_t>(apFrames[i]);
    char szName[MODULE_NAME_SIZE];
    uintptr_t nBase = 0;
    char szToken[MODULE_NAME_SIZE + 64];
    if (FindModuleOfAddress(apFrames[i], szName, &nBase)) {
      if (bFoundBefore && nBase == nLastBase) {
        snprintf(szToken, sizeof(szToken), "(%08" PRIXPTR ":%i) ", nAddress - nBase, i);
      } else {
        snprintf(szToken, sizeof(szToken), "(%s %08" PRIXPTR ":%i) ", szName, nAddress - nBase, i);
      }
      bFoundBefore = true;
      nLastBase = nBase;
    } else {
      snprintf(szToken, sizeof(szToken), "(%s %08" PRIXPTR ":%i) ", "unknown",
               bFoundBefore ? nAddress - nLastBase : nAddress, i);
    }
    AppendWhole(pszOut, nOutSize, nUsed, szToken);
  }
  return pszOut;
}

bool FindModuleOfAddress(const void* pAddress, char* pszName, uintptr_t* pBase) {
  return CrashPlatform::FindModuleOfAddress(pAddress, pszName, MODULE_NAME_SIZE, pBase);
}

bool GetExeFileTime(char* pszOut) {
  if (pszOut == nullptr) return false;
  pszOut[0] = '\0';
  char szPath[4096];
  if (!CrashPlatform::GetExecutablePath(szPath, sizeof(szPath))) return false;
  // The bare name: what follows the last folder separator of either kind.
  const char* pszCut = nullptr;
  for (const char* p = szPath; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') pszCut = p;
  }
  if (pszCut == nullptr || pszCut[1] == '\0') return false;
  std::tm tmWritten{};
  if (!CrashPlatform::GetFileWriteTime(pszCut + 1, &tmWritten)) return false;
  snprintf(pszOut, 32, "%02d%02d%02d-%02d%02d", tmWritten.tm_year + 1900, tmWritten.tm_mon + 1,
           tmWritten.tm_mday, tmWritten.tm_hour, tmWritten.tm_min);
  return true;
}

void FormatVersionStamp(char* pszOut, size_t nOutSize) {
  char szRelease[RELEASE_VERSION_BYTES + 1] = {0};
  if (FILE* pFile = fopen(VERSION_FILE, "r")) {
    size_t nRead = fread(szRelease, 1, RELEASE_VERSION_BYTES, pFile);
    szRelease[nRead] = '\0';
    fclose(pFile);
  }
  char szFileTime[32];
  GetExeFileTime(szFileTime);
  snprintf(pszOut, nOutSize, "ReleaseVer:%s MsgVer:%d , FileVer:%s, FileTime:%s==", szRelease,
           MSG_VERSION, "", szFileTime);
}

void ComposeCrashRecord(char* pszRecord, const char* pszTrace, const char* pszFormat,
                        va_list args) {
  FormatVersionStamp(pszRecord, CRASH_RECORD_SIZE);
  size_t nUsed = strlen(pszRecord);
  if (pszTrace != nullptr) {
    snprintf(pszRecord + nUsed, CRASH_RECORD_SIZE - nUsed, "%s", pszTrace);
    nUsed = strlen(pszRecord);
  }
  // The message has a buffer of its own; the line feed is always added to it, the record then
  // takes of it what still fits.
  char szMessage[CRASH_RECORD_SIZE] = {0};
  if (pszFormat != nullptr) vsnprintf(szMessage, sizeof(szMessage) - 1, pszFormat, args);
  strcat(szMessage, "\n");
  snprintf(pszRecord + nUsed, CRASH_RECORD_SIZE - nUsed, "%s", szMessage);
}

}  // namespace ZorGameBase
