// Page blocks on anonymous mappings. A block of 2 MB or more is mapped with room to spare, cut
// to a 2 MB boundary and advised for transparent huge pages: a table filled in order then
// faults once per 2 MB instead of once per 4 KiB.
#include <sys/mman.h>

#include <cstdint>

#include "ZorPlatform.h"

namespace ZorPlatform {

namespace {
const size_t HUGE_PAGE = size_t{2} << 20;
const size_t PAGE = 4096;

size_t Rounded(size_t nBytes, size_t nUnit) { return (nBytes + nUnit - 1) / nUnit * nUnit; }
}  // namespace

void* AllocatePages(size_t nBytes) {
  if (nBytes == 0 || nBytes > SIZE_MAX / 2) return nullptr;
  bool bHuge = nBytes >= HUGE_PAGE;
  size_t nSize = Rounded(nBytes, bHuge ? HUGE_PAGE : PAGE);
  size_t nMapped = bHuge ? nSize + HUGE_PAGE : nSize;
  void* pMap = mmap(nullptr, nMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pMap == MAP_FAILED) return nullptr;
  if (!bHuge) return pMap;
  uintptr_t nStart = reinterpret_cast<uintptr_t>(pMap);
  uintptr_t nAligned = (nStart + HUGE_PAGE - 1) & ~(uintptr_t{HUGE_PAGE} - 1);
  size_t nHead = nAligned - nStart;
  if (nHead != 0) munmap(pMap, nHead);
  if (HUGE_PAGE - nHead != 0) munmap(reinterpret_cast<void*>(nAligned + nSize), HUGE_PAGE - nHead);
#ifdef MADV_HUGEPAGE
  madvise(reinterpret_cast<void*>(nAligned), nSize, MADV_HUGEPAGE);  // advice: may be refused
#endif
  return reinterpret_cast<void*>(nAligned);
}

void AdviseLargePages(void* pBegin, size_t nBytes) {
#ifdef MADV_HUGEPAGE
  uintptr_t nStart = (reinterpret_cast<uintptr_t>(pBegin) + HUGE_PAGE - 1) & ~(uintptr_t{HUGE_PAGE} - 1);
  uintptr_t nEnd = (reinterpret_cast<uintptr_t>(pBegin) + nBytes) & ~(uintptr_t{HUGE_PAGE} - 1);
  if (nEnd > nStart) madvise(reinterpret_cast<void*>(nStart), nEnd - nStart, MADV_HUGEPAGE);
#else
  (void)pBegin;
  (void)nBytes;
#endif
}

void ReleasePages(void* pBegin, size_t nBytes) {
  uintptr_t nStart = (reinterpret_cast<uintptr_t>(pBegin) + PAGE - 1) & ~(uintptr_t{PAGE} - 1);
  uintptr_t nEnd = (reinterpret_cast<uintptr_t>(pBegin) + nBytes) & ~(uintptr_t{PAGE} - 1);
  if (nEnd > nStart) madvise(reinterpret_cast<void*>(nStart), nEnd - nStart, MADV_DONTNEED);
}

void FreePages(void* pBlock, size_t nBytes) {
  if (pBlock == nullptr) return;
  munmap(pBlock, Rounded(nBytes, nBytes >= HUGE_PAGE ? HUGE_PAGE : PAGE));
}

}  // namespace ZorPlatform
