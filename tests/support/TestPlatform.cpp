#include "TestPlatform.h"

#include <stdlib.h>

#include <filesystem>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/mman.h>
#include <sys/time.h>
#include <unistd.h>
#endif

namespace TestPlatform {

#if defined(_WIN32)

std::string ExecutableFileName() {
  char szPath[MAX_PATH * 4];
  DWORD nLength = GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
  if (nLength == 0 || nLength >= sizeof(szPath)) return "";
  std::string strPath(szPath, nLength);
  size_t nCut = strPath.find_last_of("\\/");
  return nCut == std::string::npos ? strPath : strPath.substr(nCut + 1);
}

// Local calendar time to file time through the kernel's own conversions, the inverse of the
// ones the module reads it back with.
bool SetFileWriteTime(const std::string& strPath, const std::tm& tmLocal) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(tmLocal.tm_year + 1900);
  local.wMonth = static_cast<WORD>(tmLocal.tm_mon + 1);
  local.wDay = static_cast<WORD>(tmLocal.tm_mday);
  local.wHour = static_cast<WORD>(tmLocal.tm_hour);
  local.wMinute = static_cast<WORD>(tmLocal.tm_min);
  local.wSecond = static_cast<WORD>(tmLocal.tm_sec);
  FILETIME localTime, utcTime;
  if (!SystemTimeToFileTime(&local, &localTime) || !LocalFileTimeToFileTime(&localTime, &utcTime))
    return false;
  HANDLE hFile = CreateFileA(strPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) return false;
  BOOL bSet = SetFileTime(hFile, nullptr, &utcTime, &utcTime);
  CloseHandle(hFile);
  return bSet != FALSE;
}

const void* SystemLibraryFunction() {
  return reinterpret_cast<const void*>(&GetCurrentProcessId);
}
const char* SharedLibrarySuffix() { return ".dll"; }

bool SetEnvironmentValue(const char* pszName, const char* pszValue) {
  return _putenv_s(pszName, pszValue) == 0;
}

namespace {
size_t PageSize() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
}
}  // namespace

char* UnreadablePage(size_t* pnSize) {
  *pnSize = PageSize();
  return static_cast<char*>(VirtualAlloc(nullptr, *pnSize, MEM_RESERVE, PAGE_NOACCESS));
}

char* PageBeforeUnreadablePage(size_t* pnSize) {
  *pnSize = PageSize();
  char* pBlock = static_cast<char*>(
      VirtualAlloc(nullptr, 2 * *pnSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD nOld = 0;
  if (pBlock == nullptr || !VirtualProtect(pBlock + *pnSize, *pnSize, PAGE_NOACCESS, &nOld))
    return nullptr;
  return pBlock;
}

#else

std::string ExecutableFileName() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).filename().string();
}

bool SetFileWriteTime(const std::string& strPath, const std::tm& tmLocal) {
  std::tm tmCopy = tmLocal;
  tmCopy.tm_isdst = -1;
  timeval times[2] = {{mktime(&tmCopy), 0}, {mktime(&tmCopy), 0}};
  return utimes(strPath.c_str(), times) == 0;
}

const void* SystemLibraryFunction() { return reinterpret_cast<const void*>(&getpid); }
const char* SharedLibrarySuffix() { return ".so"; }

bool SetEnvironmentValue(const char* pszName, const char* pszValue) {
  return setenv(pszName, pszValue, 1) == 0;
}

char* UnreadablePage(size_t* pnSize) {
  *pnSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  void* p = mmap(nullptr, *pnSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : static_cast<char*>(p);
}

char* PageBeforeUnreadablePage(size_t* pnSize) {
  *pnSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  void* p = mmap(nullptr, 2 * *pnSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  char* pBlock = static_cast<char*>(p);
  if (mprotect(pBlock + *pnSize, *pnSize, PROT_NONE) != 0) return nullptr;
  return pBlock;
}

#endif

}  // namespace TestPlatform
