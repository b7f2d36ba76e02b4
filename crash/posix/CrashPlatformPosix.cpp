// The crash library's platform services on POSIX systems.
#include "CrashPlatform.h"

#include <link.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unwind.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace CrashPlatform {

namespace {

struct FrameWalk {
  void** apFrames;
  int nMax;
  int nSkip;  // frames still to leave out, this function's own included
  int nCount;
};

_Unwind_Reason_Code KeepFrame(_Unwind_Context* pContext, void* pData) {
  FrameWalk* pWalk = static_cast<FrameWalk*>(pData);
  uintptr_t nAddress = _Unwind_GetIP(pContext);
  if (nAddress == 0) return _URC_END_OF_STACK;
  if (pWalk->nSkip > 0) {
    --pWalk->nSkip;
    return _URC_NO_REASON;
  }
  pWalk->apFrames[pWalk->nCount++] = reinterpret_cast<void*>(nAddress);
  return pWalk->nCount < pWalk->nMax ? _URC_NO_REASON : _URC_END_OF_STACK;
}

}  // namespace

// The unwinder's own walk (not glibc's backtrace, which sanitizers replace with walks of their
// own): the first frame it reports is this function, the second the return into our caller;
// both are left out.
__attribute__((noinline)) int CaptureStackFrames(void** apFrames, int nMax) {
  if (apFrames == nullptr || nMax <= 0) return 0;
  FrameWalk walk{apFrames, nMax, 2, 0};
  _Unwind_Backtrace(KeepFrame, &walk);
  return walk.nCount;
}

namespace {

// Copies the part of a path after its last "/", cut to the buffer.
void CopyFileName(const char* pszPath, char* pszName, size_t nNameSize) {
  const char* pszSlash = strrchr(pszPath, '/');
  const char* pszFile = pszSlash != nullptr ? pszSlash + 1 : pszPath;
  snprintf(pszName, nNameSize, "%s", pszFile);
}

struct ModuleSearch {
  uintptr_t nAddress;
  bool bFound;
  uintptr_t nBase;
  std::string strName;
};

// An image holds the address when one of its loaded segments does. The load bias is its base:
// address minus base is the offset the image's own tools (addr2line, objdump) understand.
int MatchModule(dl_phdr_info* pInfo, size_t, void* pData) {
  ModuleSearch* pSearch = static_cast<ModuleSearch*>(pData);
  for (ElfW(Half) i = 0; i < pInfo->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = pInfo->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    uintptr_t nStart = pInfo->dlpi_addr + segment.p_vaddr;
    if (pSearch->nAddress >= nStart && pSearch->nAddress - nStart < segment.p_memsz) {
      pSearch->bFound = true;
      pSearch->nBase = pInfo->dlpi_addr;
      pSearch->strName = pInfo->dlpi_name != nullptr ? pInfo->dlpi_name : "";
      return 1;
    }
  }
  return 0;
}

}  // namespace

bool FindModuleOfAddress(const void* pAddress, char* pszName, size_t nNameSize, uintptr_t* pBase) {
  if (pszName != nullptr && nNameSize > 0) pszName[0] = '\0';
  ModuleSearch search{reinterpret_cast<uintptr_t>(pAddress), false, 0, std::string()};
  dl_iterate_phdr(MatchModule, &search);
  if (!search.bFound) return false;
  if (pBase != nullptr) *pBase = search.nBase;
  if (pszName == nullptr || nNameSize == 0) return true;
  if (search.strName.empty()) {  // the executable itself goes unnamed in the loader's list
    char szPath[4096];
    if (GetExecutablePath(szPath, sizeof(szPath))) CopyFileName(szPath, pszName, nNameSize);
  } else {
    CopyFileName(search.strName.c_str(), pszName, nNameSize);
  }
  return true;
}

bool GetExecutablePath(char* pszPath, size_t nSize) {
  if (pszPath == nullptr || nSize == 0) return false;
  // A link that fills the whole buffer may have been cut: a cut path is no answer.
  ssize_t nLength = readlink("/proc/self/exe", pszPath, nSize);
  if (nLength <= 0 || static_cast<size_t>(nLength) >= nSize) {
    pszPath[0] = '\0';
    return false;
  }
  pszPath[nLength] = '\0';
  return true;
}

bool GetFileWriteTime(const char* pszPath, std::tm* pLocal) {
  struct stat info;
  if (pszPath == nullptr || pLocal == nullptr || stat(pszPath, &info) != 0) return false;
  std::time_t written = info.st_mtime;
  return localtime_r(&written, pLocal) != nullptr;
}

}  // namespace CrashPlatform
