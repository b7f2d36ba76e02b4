// The platform seam on POSIX systems.
#include "ZorPlatform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

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
FileHandle OpenFileToRead(const char* pszPath, std::uint64_t& nSize) {
  if (pszPath == nullptr) return NO_FILE;
  int nFile = open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (nFile < 0) return NO_FILE;
  struct stat info {};
  if (fstat(nFile, &info) != 0 || !S_ISREG(info.st_mode)) {
    int nError = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
    close(nFile);
    errno = nError;
    return NO_FILE;
  }
  int nFlags = fcntl(nFile, F_GETFL);
  if (nFlags != -1) fcntl(nFile, F_SETFL, nFlags & ~O_NONBLOCK);
  nSize = static_cast<std::uint64_t>(info.st_size);
  return nFile;
}

std::int64_t ReadFileBytes(FileHandle hFile, void* pBuffer, size_t nBytes) {
  size_t nDone = 0;
  while (nDone < nBytes) {
    ssize_t nRead = read(static_cast<int>(hFile), static_cast<char*>(pBuffer) + nDone, nBytes - nDone);
    if (nRead < 0 && errno == EINTR) continue;
    if (nRead < 0) return -1;
    if (nRead == 0) break;
    nDone += static_cast<size_t>(nRead);
  }
  return static_cast<std::int64_t>(nDone);
}

void CloseFile(FileHandle hFile) {
  if (hFile != NO_FILE) close(static_cast<int>(hFile));
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
