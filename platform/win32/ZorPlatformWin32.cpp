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

// Shared as the runtime's streams share a file opened for reading; a folder does not open
// without FILE_FLAG_BACKUP_SEMANTICS.
FileHandle OpenFileToRead(const char* pszPath, std::uint64_t& nSize) {
  if (pszPath == nullptr) return NO_FILE;
  HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) return NO_FILE;
  LARGE_INTEGER size;
  if (GetFileType(hFile) != FILE_TYPE_DISK || !GetFileSizeEx(hFile, &size) || size.QuadPart < 0) {
    CloseHandle(hFile);
    return NO_FILE;
  }
  nSize = static_cast<std::uint64_t>(size.QuadPart);
  return reinterpret_cast<FileHandle>(hFile);
}

std::int64_t ReadFileBytes(FileHandle hFile, void* pBuffer, size_t nBytes) {
  const size_t CHUNK = 1u << 30;  // a read's count is 32 bits
  size_t nDone = 0;
  while (nDone < nBytes) {
    DWORD nWanted = static_cast<DWORD>(nBytes - nDone < CHUNK ? nBytes - nDone : CHUNK);
    DWORD nRead = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(hFile), static_cast<char*>(pBuffer) + nDone, nWanted,
                  &nRead, nullptr)) {
      return -1;
    }
    if (nRead == 0) break;
    nDone += nRead;
  }
  return static_cast<std::int64_t>(nDone);
}

void CloseFile(FileHandle hFile) {
  if (hFile != NO_FILE) CloseHandle(reinterpret_cast<HANDLE>(hFile));
}

// The kernel's probe, with no limit on the length.
bool IsReadableString(const char* psz) {
  return psz != nullptr && !IsBadStringPtrA(psz, static_cast<UINT_PTR>(-1));
}

}  // namespace ZorPlatform
