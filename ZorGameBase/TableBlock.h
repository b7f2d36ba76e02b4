#pragma once
// One block of a table's storage. Blocks of 128 KB and more are whole pages from the system
// (large pages where it gives them without asking): a table that fills them in order faults
// far less often than one made of heap blocks, its memory goes back to the system when the
// table is cleared, and the pages of its last block past its end go back once it is loaded. A
// file image of that size leaves no resident hole in the heap when it goes. Smaller blocks
// come from the heap, so that small tables stay small.
//
// A load reads its files one after another, each into a whole-file image that goes when its
// table is built. While a CImageReuse lives on the thread, the block of a large image that goes
// is kept as the thread's spare and handed to the next large image that fits: its file is read
// into pages already resident instead of fresh ones the system must fault in and zero. The
// spare's pages past what the next image uses go back to the system at once, so the load holds
// no more memory than with fresh blocks; the spare itself goes when the outermost CImageReuse
// ends. (Mapping the files instead would save the copy as well, but a mapped file that another
// process truncates while it is read raises a signal on POSIX systems: the tables are edited
// while tools reload them, and a crash is not an answer.)
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "ZorPlatform.h"

namespace ZorGameBase {

class CTableBlock {
 public:
  static constexpr size_t PAGED = size_t{128} << 10;  // from this size on, system pages

  CTableBlock() = default;
  // nBytes of storage, zero-filled when bZeroed (system pages always are); throws
  // std::bad_alloc when there is none, as the heap does.
  explicit CTableBlock(size_t nBytes, bool bZeroed = false) : m_nBytes(nBytes) {
    if (nBytes >= PAGED) {
      m_pBytes = static_cast<char*>(ZorPlatform::AllocatePages(nBytes));
      if (m_pBytes == nullptr) throw std::bad_alloc();
    } else {
      m_pBytes = new char[nBytes];
      if (bZeroed) memset(m_pBytes, 0, nBytes);
    }
  }
  ~CTableBlock() { Free(); }
  CTableBlock(CTableBlock&& other) noexcept
      : m_pBytes(std::exchange(other.m_pBytes, nullptr)), m_nBytes(std::exchange(other.m_nBytes, 0)) {}
  CTableBlock& operator=(CTableBlock&& other) noexcept {
    if (this != &other) {
      Free();
      m_pBytes = std::exchange(other.m_pBytes, nullptr);
      m_nBytes = std::exchange(other.m_nBytes, 0);
    }
    return *this;
  }
  CTableBlock(const CTableBlock&) = delete;
  CTableBlock& operator=(const CTableBlock&) = delete;

  // A block for a file image of nBytes, not cleared: the thread's spare when it is large enough
  // (see above), else a new block; throws std::bad_alloc as the constructor does.
  static CTableBlock ForImage(size_t nBytes);
  // Gives an image's block back: kept as the thread's spare while a CImageReuse lives and the
  // block is of system pages, else freed.
  static void ReleaseImage(CTableBlock block);

  char* Bytes() const { return m_pBytes; }
  size_t Size() const { return m_nBytes; }
  // Gives back the pages of a block of system pages past its first nUsed bytes, which hold
  // nothing: the part of a large page past a table's end. They stay usable.
  void ReleaseAfter(size_t nUsed) {
    if (m_pBytes != nullptr && m_nBytes >= PAGED && nUsed < m_nBytes) {
      ZorPlatform::ReleasePages(m_pBytes + nUsed, m_nBytes - nUsed);
    }
  }

 private:
  void Free() {
    if (m_pBytes == nullptr) return;
    if (m_nBytes >= PAGED) {
      ZorPlatform::FreePages(m_pBytes, m_nBytes);
    } else {
      delete[] m_pBytes;
    }
    m_pBytes = nullptr;
  }

  friend class CImageReuse;
  friend struct CImageRelease;
  struct Reuse {
    unsigned nDepth = 0;
    char* pSpare = nullptr;
    size_t nSpare = 0;
  };
  static Reuse& ThreadReuse() {
    static thread_local Reuse reuse;
    return reuse;
  }
  static CTableBlock TakeSpare(Reuse& reuse) {
    CTableBlock spare(std::exchange(reuse.pSpare, nullptr), reuse.nSpare);
    reuse.nSpare = 0;
    return spare;
  }
  // Takes over nBytes at pBytes, which came from a block of that size.
  CTableBlock(char* pBytes, size_t nBytes) : m_pBytes(pBytes), m_nBytes(nBytes) {}
  char* Detach() { return std::exchange(m_pBytes, nullptr); }

  char* m_pBytes = nullptr;
  size_t m_nBytes = 0;
};

// While one lives, the thread's large file images reuse one spare block (see CTableBlock). For
// a load of many files; not to be moved to another thread.
class CImageReuse {
 public:
  CImageReuse() { ++CTableBlock::ThreadReuse().nDepth; }
  ~CImageReuse() {
    CTableBlock::Reuse& reuse = CTableBlock::ThreadReuse();
    if (--reuse.nDepth == 0) CTableBlock::TakeSpare(reuse);  // and gone
  }
  CImageReuse(const CImageReuse&) = delete;
  CImageReuse& operator=(const CImageReuse&) = delete;
};

// The deleter of an image held as a unique_ptr: gives the block of nBytes back as
// CTableBlock::ReleaseImage does.
struct CImageRelease {
  // An image of at least nBytes from CTableBlock::ForImage; null when there is no memory.
  static std::unique_ptr<char[], CImageRelease> Allocate(size_t nBytes) noexcept {
    try {
      CTableBlock block = CTableBlock::ForImage(nBytes);
      size_t nBlock = block.m_nBytes;
      return std::unique_ptr<char[], CImageRelease>(block.Detach(), CImageRelease{nBlock});
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  void operator()(char* pBytes) const { CTableBlock::ReleaseImage(CTableBlock(pBytes, nBytes)); }

  size_t nBytes = 0;
};

inline CTableBlock CTableBlock::ForImage(size_t nBytes) {
  Reuse& reuse = ThreadReuse();
  if (nBytes < PAGED || reuse.pSpare == nullptr) return CTableBlock(nBytes);
  CTableBlock spare = TakeSpare(reuse);
  if (spare.m_nBytes < nBytes) {
    spare = CTableBlock();  // gone before the new block comes
    return CTableBlock(nBytes);
  }
  spare.ReleaseAfter(nBytes);
  return spare;
}

inline void CTableBlock::ReleaseImage(CTableBlock block) {
  Reuse& reuse = ThreadReuse();
  if (reuse.nDepth == 0 || block.m_pBytes == nullptr || block.m_nBytes < PAGED ||
      block.m_nBytes <= reuse.nSpare) {
    return;  // the block goes
  }
  TakeSpare(reuse);  // a smaller spare goes
  reuse.nSpare = block.m_nBytes;
  reuse.pSpare = block.Detach();
}

}  // namespace ZorGameBase
