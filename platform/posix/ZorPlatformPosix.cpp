// The platform seam on POSIX systems.
#include "ZorPlatform.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <atomic>
#include <cerrno>

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

}  // namespace ZorPlatform
