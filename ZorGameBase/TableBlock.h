#pragma once
// One block of a table's storage. Blocks of 1 MB and more are whole pages from the system
// (large pages where it gives them without asking): a table that fills them in order faults
// far less often than one made of heap blocks, and its memory goes back to the system when the
// table is cleared. Smaller blocks come from the heap, so that small tables stay small.
#include <cstddef>
#include <cstring>
#include <new>
#include <utility>

#include "ZorPlatform.h"

namespace ZorGameBase {

class CTableBlock {
 public:
  static constexpr size_t PAGED = size_t{1} << 20;  // from this size on, system pages

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
      : m_pBytes(std::exchange(other.m_pBytes, nullptr)), m_nBytes(other.m_nBytes) {}
  CTableBlock& operator=(CTableBlock&& other) noexcept {
    if (this != &other) {
      Free();
      m_pBytes = std::exchange(other.m_pBytes, nullptr);
      m_nBytes = other.m_nBytes;
    }
    return *this;
  }
  CTableBlock(const CTableBlock&) = delete;
  CTableBlock& operator=(const CTableBlock&) = delete;

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

  char* m_pBytes = nullptr;
  size_t m_nBytes = 0;
};

}  // namespace ZorGameBase
