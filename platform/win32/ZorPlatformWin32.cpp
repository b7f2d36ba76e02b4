// The platform seam on Windows: the kernel's own services, as the client's platform offers them.
#include "ZorPlatform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// The C runtime's descriptors under its streams:
#include <io.h>

#include <atomic>
#include <cstdio>

#include "win32/CalendarFields.h"

namespace ZorPlatform {

namespace {

std::atomic<DebuggerSink> g_pfnDebuggerSink{nullptr};

}  // namespace

// The kernel's local clock.
std::tm LocalTimeNow() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  return CalendarFields(local);
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

// A device name ("CON", "COM1") or a pipe opens as a stream too; only a disk file is kept.
std::FILE* OpenRegularFile(const char* pszPath) {
  if (pszPath == nullptr) return nullptr;
  std::FILE* pFile = fopen(pszPath, "rb");
  if (pFile == nullptr) return nullptr;
  HANDLE hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pFile)));
  if (hFile != INVALID_HANDLE_VALUE && GetFileType(hFile) == FILE_TYPE_DISK) return pFile;
  fclose(pFile);
  return nullptr;
}

// The kernel's probe, with no limit on the length.
bool IsReadableString(const char* psz) {
  return psz != nullptr && !IsBadStringPtrA(psz, static_cast<UINT_PTR>(-1));
}

}  // namespace ZorPlatform
