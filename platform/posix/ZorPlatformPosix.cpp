// The platform seam on POSIX systems.
#include "ZorPlatform.h"

#include <curl/curl.h>
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
#include <mutex>
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

// The kernel copies the string out of this process a page at a time and says where it cannot
// read; no signal is raised. Where that copy is refused (a sandbox without the call), a
// non-null pointer is taken as readable.
bool IsReadableString(const char* psz) {
  if (psz == nullptr) return false;
  const uintptr_t PAGE = 4096;  // a divisor of every page size in use
  char achChunk[PAGE];
  pid_t nSelf = getpid();
  for (uintptr_t nAt = reinterpret_cast<uintptr_t>(psz);;) {
    size_t nLength = static_cast<size_t>(PAGE - nAt % PAGE);
    iovec local{achChunk, nLength};
    iovec remote{reinterpret_cast<void*>(nAt), nLength};
    ssize_t nRead = process_vm_readv(nSelf, &local, 1, &remote, 1, 0);
    if (nRead < 0) return errno != EFAULT;
    if (memchr(achChunk, '\0', static_cast<size_t>(nRead)) != nullptr) return true;
    if (static_cast<size_t>(nRead) < nLength) return false;
    nAt += nLength;
  }
}

namespace {

size_t DiscardAnswer(char*, size_t nSize, size_t nCount, void*) { return nSize * nCount; }

}  // namespace

// libcurl takes its proxy from the system's settings (http_proxy, no_proxy) by itself. It is
// initialised once per process; its easy handles are used by one thread each.
bool HttpPost(const HttpPostRequest& request) {
  if (request.pszServer == nullptr || request.pszObject == nullptr) return false;
  static std::once_flag s_initOnce;
  static CURLcode s_initResult = CURLE_FAILED_INIT;
  std::call_once(s_initOnce, [] { s_initResult = curl_global_init(CURL_GLOBAL_DEFAULT); });
  if (s_initResult != CURLE_OK) return false;
  CURL* pCurl = curl_easy_init();
  if (pCurl == nullptr) return false;
  std::string strUrl = std::string("http://") + request.pszServer + ":" +
                       std::to_string(request.nPort) + (request.pszObject[0] == '/' ? "" : "/") +
                       request.pszObject;
  curl_slist* pHeaders = nullptr;
  bool bListComplete = true;
  for (const char* const* pp = request.ppszHeaders; pp != nullptr && *pp != nullptr; ++pp) {
    curl_slist* pMore = curl_slist_append(pHeaders, *pp);
    if (pMore == nullptr)
      bListComplete = false;
    else
      pHeaders = pMore;
  }
  curl_slist* pMore = curl_slist_append(pHeaders, "Expect:");  // no "100-continue" round trip
  if (pMore == nullptr)
    bListComplete = false;
  else
    pHeaders = pMore;
  bool bSent = false;
  if (bListComplete) {
    curl_easy_setopt(pCurl, CURLOPT_URL, strUrl.c_str());
    curl_easy_setopt(pCurl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(pCurl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(pCurl, CURLOPT_USERAGENT, request.pszUserAgent);
    curl_easy_setopt(pCurl, CURLOPT_HTTPHEADER, pHeaders);
    curl_easy_setopt(pCurl, CURLOPT_POST, 1L);
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDS, request.pchBody != nullptr ? request.pchBody : "");
    curl_easy_setopt(pCurl, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.pchBody != nullptr ? request.nBodyLength : 0));
    curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT, request.nConnectTimeoutSeconds);
    curl_easy_setopt(pCurl, CURLOPT_TIMEOUT, request.nTotalTimeoutSeconds);
    curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, DiscardAnswer);
    bSent = curl_easy_perform(pCurl) == CURLE_OK;
  }
  curl_slist_free_all(pHeaders);
  curl_easy_cleanup(pCurl);
  return bSent;
}

}  // namespace ZorPlatform
