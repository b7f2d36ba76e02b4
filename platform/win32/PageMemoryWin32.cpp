// Page blocks from VirtualAlloc. Large pages would need a privilege the client does not hold,
// so every block is of ordinary pages, committed and zero-filled by the system.
#include <windows.h>

#include "ZorPlatform.h"

namespace ZorPlatform {

void* AllocatePages(size_t nBytes) {
  if (nBytes == 0) return nullptr;
  return VirtualAlloc(nullptr, nBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void AdviseLargePages(void*, size_t) {}

// Pages of ordinary size are resident only once written: a block's unwritten tail costs nothing.
void ReleasePages(void*, size_t) {}

void FreePages(void* pBlock, size_t) {
  if (pBlock != nullptr) VirtualFree(pBlock, 0, MEM_RELEASE);
}

}  // namespace ZorPlatform
