// The platform seam on POSIX systems.
#include "ZorPlatform.h"

#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>
#include <unwind.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

namespace ZorPlatform {

std::tm LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

bool MakeDirectory(const char* pszPath) {
  if (pszPath == nullptr) return false;
  if (mkdir(pszPath, 0777) == 0) return true;
  struct stat info;
  return errno == EEXIST && stat(pszPath, &info) == 0 && S_ISDIR(info.st_mode);
}

// Opened without waiting (a FIFO would wait for a writer), then kept only when the descriptor
// is a regular file; the check is on the opened descriptor, so the path cannot change between.
std::FILE* OpenRegularFile(const char* pszPath) {
  if (pszPath == nullptr) return nullptr;
  int nFile = open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (nFile < 0) return nullptr;
  struct stat info {};
  if (fstat(nFile, &info) != 0 || !S_ISREG(info.st_mode)) {
    int nError = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    close(nFile);
    errno = nError;
    return nullptr;
  }
  int nFlags = fcntl(nFile, F_GETFL);
  if (nFlags != -1) fcntl(nFile, F_SETFL, nFlags & ~O_NONBLOCK);
  std::FILE* pFile = fdopen(nFile, "rb");
  if (pFile == nullptr) close(nFile);
  return pFile;
}

namespace {
std::atomic<DebuggerSink> g_pfnDebuggerSink{nullptr};
}  // namespace

// There is no debugger channel on POSIX: without a sink the text is dropped,
// as it is on Windows when no debugger is attached.
void DebuggerOutput(const char* pszText) {
  DebuggerSink pfnSink = g_pfnDebuggerSink.load();
  if (pfnSink != nullptr && pszText != nullptr) pfnSink(pszText);
}

void SetDebuggerSink(DebuggerSink pfnSink) { g_pfnDebuggerSink.store(pfnSink); }

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
__attribute__((noinline)) int CaptureStackFrames(void** apFrames, int nMax, int nSkip) {
  if (apFrames == nullptr || nMax <= 0 || nSkip < 0) return 0;
  FrameWalk walk{apFrames, nMax, nSkip + 2, 0};
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

namespace {

// Copies up to nLength bytes at pSource through the kernel, which reports memory it cannot read
// as EFAULT instead of raising a signal: the copy between address spaces, or where that call is
// refused (qemu-user, sandboxes without it) a write into a pipe that is read back at once.
// The count copied, or -1 with errno set.
ssize_t ProbeCopy(const void* pSource, char* pchTo, size_t nLength) {
  iovec local{pchTo, nLength};
  iovec remote{const_cast<void*>(pSource), nLength};
  ssize_t nCopied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
  if (nCopied >= 0 || errno == EFAULT) return nCopied;
  int anPipe[2];
  if (pipe2(anPipe, O_CLOEXEC) != 0) return -1;
  nCopied = write(anPipe[1], pSource, nLength);  // one page at most: within the pipe's buffer
  if (nCopied > 0) nCopied = read(anPipe[0], pchTo, static_cast<size_t>(nCopied));
  int nError = errno;
  close(anPipe[0]);
  close(anPipe[1]);
  errno = nError;
  return nCopied;
}

}  // namespace

// The string is copied out a page at a time until its terminating zero; a page that cannot be
// read ends the probe. Where neither copy is possible, a non-null pointer is taken as readable.
bool IsReadableString(const char* psz) {
  if (psz == nullptr) return false;
  const uintptr_t PAGE = 4096;  // a divisor of every page size in use
  char achChunk[PAGE];
  for (uintptr_t nAt = reinterpret_cast<uintptr_t>(psz);;) {
    size_t nLength = static_cast<size_t>(PAGE - nAt % PAGE);
    ssize_t nRead = ProbeCopy(reinterpret_cast<const void*>(nAt), achChunk, nLength);
    if (nRead < 0) return errno != EFAULT;
    if (memchr(achChunk, '\0', static_cast<size_t>(nRead)) != nullptr) return true;
    if (static_cast<size_t>(nRead) < nLength) return false;
    nAt += nLength;
  }
}

}  // namespace ZorPlatform
