#pragma once
// How much memory the test process holds: the allocator's bytes in use, and the resident size
// with its peak, which can be reset to measure one operation.

#include <cstddef>
#include <cstdio>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRIN_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KESTRIN_TEST_ASAN 1
#endif

#if defined(KESTRIN_TEST_ASAN)
// The sanitizer runtime's count (declared here: not every compiler ships its header).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace MemoryUse {

// The address sanitizer keeps freed blocks in quarantine and adds shadow memory: resident sizes
// say nothing about the code under test there.
inline bool UnderAddressSanitizer() {
#if defined(KESTRIN_TEST_ASAN)
  return true;
#else
  return false;
#endif
}

// Bytes the allocator has handed out and not got back.
inline size_t HeapInUse() {
#if defined(KESTRIN_TEST_ASAN)
  return __sanitizer_get_current_allocated_bytes();
#else
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // the small blocks and the large ones mapped on their own
#endif
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); 0 when it cannot be read.
inline size_t StatusBytes(const char* pszField) {
  FILE* pFile = fopen("/proc/self/status", "r");
  if (pFile == nullptr) return 0;
  size_t nKilobytes = 0;
  char szLine[256];
  size_t nField = strlen(pszField);
  while (fgets(szLine, sizeof(szLine), pFile) != nullptr) {
    if (strncmp(szLine, pszField, nField) == 0 && szLine[nField] == ':') {
      sscanf(szLine + nField + 1, "%zu", &nKilobytes);
      break;
    }
  }
  fclose(pFile);
  return nKilobytes * 1024;
}

inline size_t ResidentBytes() { return StatusBytes("VmRSS"); }
inline size_t PeakResidentBytes() { return StatusBytes("VmHWM"); }

// Starts a new peak at the present resident size; false when the system does not allow it.
// The kernel's resident count is kept per CPU and read approximately, so the new peak may
// stand a few hundred kilobytes off the resident size read just after it.
inline bool ResetPeakResident() {
  FILE* pFile = fopen("/proc/self/clear_refs", "w");
  if (pFile == nullptr) return false;
  bool bDone = fputs("5", pFile) >= 0;
  bDone = fclose(pFile) == 0 && bDone;
  return bDone && PeakResidentBytes() <= ResidentBytes() + 1024 * 1024;
}

}  // namespace MemoryUse
