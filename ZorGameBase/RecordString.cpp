#include "RecordString.h"

#include <cstring>
#include <utility>

namespace {
// A heap block of the text and its terminating zero. As std::string does, a failed allocation
// throws and leaves the string as it was: the load that asked for it is taken back as a whole.
char* CopyToHeap(const char* pText, size_t nLength) {
  char* pHeap = new char[nLength + 1];
  memcpy(pHeap, pText, nLength);
  pHeap[nLength] = '\0';
  return pHeap;
}
}  // namespace

CRecordString::CRecordString(const char* pText, size_t nLength) : CRecordString() {
  if (nLength >= BUFFER_SIZE) {
    m_storage.pHeap = CopyToHeap(pText, nLength);  // a new string has nothing to free
    m_nSize = nLength;
    m_nCapacity = nLength;
    return;
  }
  if (nLength > 0) memcpy(m_storage.szBuffer, pText, nLength);  // a new string has nothing to free
  m_storage.szBuffer[nLength] = '\0';
  m_nSize = nLength;
}

CRecordString::CRecordString(const char* pText, size_t nLength, CRecordTextArena& arena)
    : CRecordString() {
  if (nLength < BUFFER_SIZE) {
    if (nLength > 0) memcpy(m_storage.szBuffer, pText, nLength);
    m_storage.szBuffer[nLength] = '\0';
    m_nSize = nLength;
    return;
  }
  // Room for one character more than the text, as the capacity tells, and its zero.
  char* pChars = arena.Allocate(nLength + 2);
  memcpy(pChars, pText, nLength);
  pChars[nLength] = '\0';
  m_storage.pHeap = pChars;
  m_nSize = nLength;
  m_nCapacity = nLength + 1;
}

CRecordString::CRecordString(const char* pszText) : CRecordString() {
  if (pszText != nullptr) Assign(pszText, strlen(pszText));
}

CRecordString::CRecordString(const CRecordString& other) : CRecordString() {
  Assign(other.c_str(), other.m_nSize);
}

CRecordString::CRecordString(CRecordString&& other) noexcept : CRecordString() {
  *this = std::move(other);
}

CRecordString& CRecordString::operator=(const CRecordString& other) {
  if (this != &other) Assign(other.c_str(), other.m_nSize);
  return *this;
}

// The heap block changes hands; a short text is copied, as it lives inside the object.
CRecordString& CRecordString::operator=(CRecordString&& other) noexcept {
  if (this == &other) return *this;
  Free();
  m_storage = other.m_storage;
  m_nSize = other.m_nSize;
  m_nCapacity = other.m_nCapacity;
  other.m_storage.szBuffer[0] = '\0';
  other.m_nSize = 0;
  other.m_nCapacity = BUFFER_SIZE - 1;
  return *this;
}

CRecordString::~CRecordString() { Free(); }

// The source may be this string's own text: it is copied before the old storage goes.
void CRecordString::Assign(const char* pText, size_t nLength) {
  if (nLength < BUFFER_SIZE) {
    char szCopy[BUFFER_SIZE];
    if (nLength > 0) memcpy(szCopy, pText, nLength);
    Free();
    if (nLength > 0) memcpy(m_storage.szBuffer, szCopy, nLength);
    m_storage.szBuffer[nLength] = '\0';
    m_nSize = nLength;
    return;
  }
  char* pHeap = CopyToHeap(pText, nLength);
  Free();
  m_storage.pHeap = pHeap;
  m_nSize = nLength;
  m_nCapacity = nLength;
}

void CRecordString::Free() {
  if (OwnsBlock()) delete[] m_storage.pHeap;
  m_storage.szBuffer[0] = '\0';
  m_nCapacity = BUFFER_SIZE - 1;
  m_nSize = 0;
}

bool operator==(const CRecordString& str1, const CRecordString& str2) {
  return str1.size() == str2.size() && memcmp(str1.c_str(), str2.c_str(), str1.size()) == 0;
}

bool operator==(const CRecordString& str, const char* pszText) {
  return pszText != nullptr && strlen(pszText) == str.size() &&
         memcmp(str.c_str(), pszText, str.size()) == 0;
}

namespace {
const size_t ARENA_BLOCK = 64 * 1024;
}  // namespace

CRecordTextArena::~CRecordTextArena() {
  for (char* pBlock : m_vecBlocks) delete[] pBlock;
}

// Texts are taken from the current block while they fit; a large one gets a block of its own.
// The list of blocks grows before a block is taken, so that a block taken is always kept.
char* CRecordTextArena::Allocate(size_t nBytes) {
  if (nBytes > ARENA_BLOCK / 4) {
    m_vecBlocks.reserve(m_vecBlocks.size() + 1);
    m_vecBlocks.push_back(new char[nBytes]);
    return m_vecBlocks.back();
  }
  if (nBytes > m_nLeft) {
    m_vecBlocks.reserve(m_vecBlocks.size() + 1);
    m_vecBlocks.push_back(new char[ARENA_BLOCK]);
    m_pNext = m_vecBlocks.back();
    m_nLeft = ARENA_BLOCK;
  }
  char* pBytes = m_pNext;
  m_pNext += nBytes;
  m_nLeft -= nBytes;
  return pBytes;
}
