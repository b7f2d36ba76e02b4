// Page blocks from VirtualAlloc. Large pages would need a privilege the client does not hold,
// so every block is of ordinary pages, committed and zero-filled by the system.
#include <windows.h>

#include <cstdint>

#include "ZorPlatform.h"

namespace ZorPlatform {

void* AllocatePages(size_t nBytes) {
  if (nBytes == 0) return nullptr;
  return VirtualAlloc(nullptr, nBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void AdviseLargePages(void*, size_t) {}

// Pages of ordinary size are resident only once written: a block's unwritten tail costs nothing,
// and written pages (a reused file image's tail) are marked as holding nothing, then taken out
// of the working set. They stay committed: a page the system has taken reads as zero.
void ReleasePages(void* pBegin, size_t nBytes) {
  const uintptr_t PAGE = 4096;
  uintptr_t nStart = (reinterpret_cast<uintptr_t>(pBegin) + PAGE - 1) & ~(PAGE - 1);
  uintptr_t nEnd = (reinterpret_cast<uintptr_t>(pBegin) + nBytes) & ~(PAGE - 1);
  if (nEnd <= nStart) return;
  void* pStart = reinterpret_cast<void*>(nStart);
  if (VirtualAlloc(pStart, nEnd - nStart, MEM_RESET, PAGE_READWRITE) != nullptr) {
    VirtualUnlock(pStart, nEnd - nStart);  // fails as the pages are not locked, yet trims them
  }
}

void FreePages(void* pBlock, size_t) {
  if (pBlock != nullptr) VirtualFree(pBlock, 0, MEM_RELEASE);
}

}  // namespace ZorPlatform
