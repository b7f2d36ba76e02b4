#pragma once
// CRecordString: a text inside a record that the client reads in place. It has the release
// layout of the Microsoft C++ standard library's std::string on every build, so that a client
// compiled by the Microsoft compiler reads it as its own std::string:
//
//   union { char _Buf[16]; char* _Ptr; }  the text itself while it is shorter than 16 bytes
//                                         with its terminating zero, else a heap block
//   size_t _Mysize                        characters, without the terminating zero
//   size_t _Myres                         characters the storage holds; 15 while in _Buf
//
// 24 bytes on 32-bit Windows, 32 on 64-bit. The client only reads it; the module creates,
// copies and frees it. Out of memory, a text is left empty.
//
// A long text either has a heap block of its own (_Myres equal to _Mysize) or lies in a
// CRecordTextArena that outlives the string (_Myres one more than _Mysize, room the arena
// holds); the string frees only the first kind. A copy always has a block of its own.

#include <cstddef>
#include <vector>

// Room for the characters of many record texts, handed out one after another and freed all
// together when the arena goes.
class CRecordTextArena {
 public:
  CRecordTextArena() = default;
  CRecordTextArena(const CRecordTextArena&) = delete;
  CRecordTextArena& operator=(const CRecordTextArena&) = delete;
  ~CRecordTextArena();
  // nBytes that stay until the arena goes; throws as new does.
  char* Allocate(size_t nBytes);

 private:
  std::vector<char*> m_vecBlocks;
  char* m_pNext = nullptr;
  size_t m_nLeft = 0;
};

class CRecordString {
 public:
  CRecordString() { m_storage.szBuffer[0] = '\0'; }
  CRecordString(const char* pText, size_t nLength);  // any bytes, no zero needed after them
  // The same; a long text's characters are placed in the arena.
  CRecordString(const char* pText, size_t nLength, CRecordTextArena& arena);
  CRecordString(const char* pszText);                // NOLINT: texts convert; null is empty
  CRecordString(const CRecordString& other);
  CRecordString(CRecordString&& other) noexcept;
  CRecordString& operator=(const CRecordString& other);
  CRecordString& operator=(CRecordString&& other) noexcept;
  ~CRecordString();

  const char* c_str() const { return OnHeap() ? m_storage.pHeap : m_storage.szBuffer; }
  size_t size() const { return m_nSize; }
  bool empty() const { return m_nSize == 0; }

 private:
  static constexpr size_t BUFFER_SIZE = 16;

  bool OnHeap() const { return m_nCapacity >= BUFFER_SIZE; }
  bool OwnsBlock() const { return OnHeap() && m_nCapacity == m_nSize; }
  void Assign(const char* pText, size_t nLength);
  void Free();

  union Storage {
    char szBuffer[BUFFER_SIZE];
    char* pHeap;
  } m_storage;
  size_t m_nSize = 0;
  size_t m_nCapacity = BUFFER_SIZE - 1;
};

bool operator==(const CRecordString& str1, const CRecordString& str2);
bool operator==(const CRecordString& str, const char* pszText);
inline bool operator!=(const CRecordString& str1, const CRecordString& str2) {
  return !(str1 == str2);
}

static_assert(sizeof(CRecordString) == 16 + 2 * sizeof(size_t),
              "CRecordString: buffer, size and capacity, as the Microsoft std::string");
static_assert(alignof(CRecordString) == alignof(size_t), "CRecordString: aligned as size_t");
