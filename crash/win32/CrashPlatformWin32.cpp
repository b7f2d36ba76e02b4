// The crash library's platform services on Windows: the kernel's own, and WinINet.
#include "CrashPlatform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>
#include <wininet.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/CalendarFields.h"

namespace CrashPlatform {

// The kernel's walk of the calling thread's stack (on 32-bit Windows the frame-pointer chain,
// which every function of the module keeps). Its first address is the return into this
// function, its second the return into our caller: both are left out. A walk stops at the
// first return address that does not point at executable code.
__attribute__((noinline)) int CaptureStackFrames(void** apFrames, int nMax) {
  const int FRAMES_MAX = 62;  // the most one call of the walk gives on older systems
  if (apFrames == nullptr || nMax <= 0) return 0;
  void* apAll[FRAMES_MAX];
  int nWanted = nMax + 2 < FRAMES_MAX ? nMax + 2 : FRAMES_MAX;
  int nAll = RtlCaptureStackBackTrace(0, static_cast<DWORD>(nWanted), apAll, nullptr);
  int nCount = 0;
  for (int i = 2; i < nAll && nCount < nMax; ++i) {
    if (apAll[i] == nullptr || IsBadCodePtr(reinterpret_cast<FARPROC>(apAll[i]))) break;
    apFrames[nCount++] = apAll[i];
  }
  return nCount;
}

namespace {

// Copies the part of a path after its last folder separator, cut to the buffer.
void CopyFileName(const char* pszPath, char* pszName, size_t nNameSize) {
  const char* pszFile = pszPath;
  for (const char* p = pszPath; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') pszFile = p + 1;
  }
  snprintf(pszName, nNameSize, "%s", pszFile);
}

// The toolhelp functions, looked up by name in the kernel library once per process. Racing
// first uses look them up twice and store the same addresses.
using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using ModuleWalkFn = BOOL(WINAPI*)(HANDLE, MODULEENTRY32*);
struct ToolHelp {
  std::atomic<CreateSnapshotFn> pfnCreateSnapshot{nullptr};
  std::atomic<ModuleWalkFn> pfnModuleFirst{nullptr};
  std::atomic<ModuleWalkFn> pfnModuleNext{nullptr};
  std::atomic<bool> bResolved{false};
};
ToolHelp g_toolHelp;

// Casts a looked-up export to its type through the generic function pointer type.
template <typename Fn>
Fn ExportAs(HMODULE hModule, const char* pszName) {
  FARPROC pfn = GetProcAddress(hModule, pszName);
  return pfn != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(pfn)) : nullptr;
}

bool ResolveToolHelp() {
  if (!g_toolHelp.bResolved.load()) {
    HMODULE hKernel = GetModuleHandleA("KERNEL32");
    if (hKernel != nullptr) {
      g_toolHelp.pfnCreateSnapshot.store(
          ExportAs<CreateSnapshotFn>(hKernel, "CreateToolhelp32Snapshot"));
      g_toolHelp.pfnModuleFirst.store(ExportAs<ModuleWalkFn>(hKernel, "Module32First"));
      g_toolHelp.pfnModuleNext.store(ExportAs<ModuleWalkFn>(hKernel, "Module32Next"));
    }
    g_toolHelp.bResolved.store(true);
  }
  return g_toolHelp.pfnCreateSnapshot.load() != nullptr &&
         g_toolHelp.pfnModuleFirst.load() != nullptr && g_toolHelp.pfnModuleNext.load() != nullptr;
}

}  // namespace

// A new snapshot of the process's modules for every lookup; the first module whose image
// holds the address answers.
bool FindModuleOfAddress(const void* pAddress, char* pszName, size_t nNameSize,
                         uintptr_t* pBase) {
  if (pszName != nullptr && nNameSize > 0) pszName[0] = '\0';
  if (!ResolveToolHelp()) return false;
  HANDLE hSnapshot = g_toolHelp.pfnCreateSnapshot.load()(TH32CS_SNAPMODULE, 0);
  if (hSnapshot == INVALID_HANDLE_VALUE) return false;
  uintptr_t nAddress = reinterpret_cast<uintptr_t>(pAddress);
  MODULEENTRY32 entry;
  memset(&entry, 0, sizeof(entry));
  entry.dwSize = sizeof(entry);
  bool bFound = false;
  for (BOOL bMore = g_toolHelp.pfnModuleFirst.load()(hSnapshot, &entry); bMore;
       bMore = g_toolHelp.pfnModuleNext.load()(hSnapshot, &entry)) {
    uintptr_t nBase = reinterpret_cast<uintptr_t>(entry.modBaseAddr);
    if (nAddress >= nBase && nAddress - nBase < entry.modBaseSize) {
      bFound = true;
      if (pBase != nullptr) *pBase = nBase;
      if (pszName != nullptr && nNameSize > 0) CopyFileName(entry.szModule, pszName, nNameSize);
      break;
    }
  }
  CloseHandle(hSnapshot);
  return bFound;
}

bool GetExecutablePath(char* pszPath, size_t nSize) {
  if (pszPath == nullptr || nSize == 0) return false;
  DWORD nCapacity = nSize > MAXDWORD ? MAXDWORD : static_cast<DWORD>(nSize);
  DWORD nLength = GetModuleFileNameA(nullptr, pszPath, nCapacity);
  if (nLength == 0 || nLength >= nCapacity) {  // none, or cut to the buffer
    pszPath[0] = '\0';
    return false;
  }
  return true;
}

// The directory entry of the path, its last-write time turned into local time by the
// kernel's conversions. A pattern ("*", "?") names no single file and is refused.
bool GetFileWriteTime(const char* pszPath, std::tm* pLocal) {
  if (pszPath == nullptr || pLocal == nullptr || pszPath[0] == '\0' ||
      strpbrk(pszPath, "*?") != nullptr)
    return false;
  WIN32_FIND_DATAA found;
  HANDLE hFind = FindFirstFileA(pszPath, &found);
  if (hFind == INVALID_HANDLE_VALUE) return false;
  FindClose(hFind);
  FILETIME local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) ||
      !FileTimeToSystemTime(&local, &time))
    return false;
  *pLocal = ZorPlatform::CalendarFields(time);
  return true;
}

namespace {

// Closes an internet handle when it goes out of scope.
struct InternetHandle {
  explicit InternetHandle(HINTERNET h) : hHandle(h) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (hHandle != nullptr) InternetCloseHandle(hHandle);
  }
  HINTERNET hHandle;
};

DWORD Milliseconds(long nSeconds) {
  if (nSeconds <= 0) return 0;
  return nSeconds > 4000000 ? 4000000000u : static_cast<DWORD>(nSeconds) * 1000u;
}

void SetTimeouts(HINTERNET hHandle, const HttpPostRequest& request) {
  DWORD nConnect = Milliseconds(request.nConnectTimeoutSeconds);
  DWORD nTotal = Milliseconds(request.nTotalTimeoutSeconds);
  if (nConnect != 0)
    InternetSetOptionA(hHandle, INTERNET_OPTION_CONNECT_TIMEOUT, &nConnect, sizeof(nConnect));
  if (nTotal != 0) {
    InternetSetOptionA(hHandle, INTERNET_OPTION_SEND_TIMEOUT, &nTotal, sizeof(nTotal));
    InternetSetOptionA(hHandle, INTERNET_OPTION_RECEIVE_TIMEOUT, &nTotal, sizeof(nTotal));
  }
}

}  // namespace

// WinINet sets itself up with each root handle; the system ends the other threads of a process
// before it unloads the library.
bool HttpSetup() { return true; }

// WinINet: the root handle with the system's preconfigured proxy settings, a connection, a
// request. "Accept" lines become the request's accept types, the other lines go with the send.
// WinINet has no bound on a whole exchange: the total time bounds each send and each wait
// for the answer instead.
bool HttpPost(const HttpPostRequest& request) {
  if (request.pszServer == nullptr || request.pszObject == nullptr) return false;
  std::vector<std::string> vecAccept;
  std::string strHeaders;
  for (const char* const* pp = request.ppszHeaders; pp != nullptr && *pp != nullptr; ++pp) {
    const char* pszLine = *pp;
    if (_strnicmp(pszLine, "Accept:", 7) == 0) {
      const char* pszValue = pszLine + 7;
      while (*pszValue == ' ' || *pszValue == '\t') ++pszValue;
      vecAccept.emplace_back(pszValue);
    } else {
      strHeaders += pszLine;
      strHeaders += "\r\n";
    }
  }
  std::vector<const char*> vecAcceptTypes;
  for (const std::string& strType : vecAccept) vecAcceptTypes.push_back(strType.c_str());
  vecAcceptTypes.push_back(nullptr);
  std::string strObject =
      std::string(request.pszObject[0] == '/' ? "" : "/") + request.pszObject;

  InternetHandle root(InternetOpenA(request.pszUserAgent != nullptr ? request.pszUserAgent : "",
                                    INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (root.hHandle == nullptr) return false;
  SetTimeouts(root.hHandle, request);
  InternetHandle connection(InternetConnectA(root.hHandle, request.pszServer, request.nPort,
                                             nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (connection.hHandle == nullptr) return false;
  InternetHandle post(HttpOpenRequestA(connection.hHandle, "POST", strObject.c_str(), nullptr,
                                       nullptr, vecAcceptTypes.data(), 0, 1));
  if (post.hHandle == nullptr) return false;
  SetTimeouts(post.hHandle, request);  // not every implementation hands them down
  DWORD nBody = request.pchBody != nullptr && request.nBodyLength <= MAXDWORD
                    ? static_cast<DWORD>(request.nBodyLength)
                    : 0;
  return HttpSendRequestA(post.hHandle, strHeaders.empty() ? nullptr : strHeaders.c_str(),
                          static_cast<DWORD>(strHeaders.size()),
                          const_cast<char*>(nBody != 0 ? request.pchBody : nullptr), nBody) != FALSE;
}

}  // namespace CrashPlatform
