#include "ZorString.h"

#include <climits>
#include <cstring>
#include <new>

#include "DebugLog.h"
#include "Gbk.h"
#include "ZorPlatform.h"

namespace ZorString {
namespace {

// The one empty block: count -1, no characters but the terminating zero. Constant-initialised,
// so strings in other files' static objects may point at it before any code runs.
struct EmptyBlock {
  CZorStringData header;
  char szText[4];
};
EmptyBlock g_emptyBlock = {{{-1}, 0, 0}, {0, 0, 0, 0}};

void FreeBlock(CZorStringData* pData) {
  pData->~CZorStringData();
  delete[] reinterpret_cast<char*>(pData);
}

}  // namespace

CZorString::CZorString() { SetEmpty(); }

CZorString::CZorString(const CZorString& stringSrc) {
  ASSERT(stringSrc.GetData()->nRefs != 0);
  if (stringSrc.GetData()->nRefs < 0) {
    SetEmpty();
    *this = stringSrc.m_pchData;
  } else {
    // The condition is logged exactly as written.
    // clang-format off
    ASSERT(NoninitData( stringSrc.GetData() ));
    // clang-format on
    m_pchData = stringSrc.m_pchData;
    GetData()->nRefs.fetch_add(1);
  }
}

CZorString::CZorString(const char* lpsz) {
  SetEmpty();
  *this = lpsz;
}

CZorString::~CZorString() {
  CZorStringData* pData = GetData();
  if (NoninitData(pData) && pData->nRefs.fetch_sub(1) - 1 <= 0) FreeBlock(pData);
}

CZorStringData* CZorString::GetData() const {
  ASSERT(m_pchData != NULL);
  return reinterpret_cast<CZorStringData*>(m_pchData) - 1;
}

void CZorString::SetEmpty() { m_pchData = g_emptyBlock.header.data(); }

void CZorString::AllocBuffer(int nLen) {
  ASSERT(nLen >= 0);
  // The condition is logged exactly as written.
  // clang-format off
  ASSERT(nLen <= INT_MAX-1);
  // clang-format on
  // A length outside 0..INT_MAX-1 gives the empty string after its assertion.
  if (nLen <= 0 || nLen > INT_MAX - 1) {
    SetEmpty();
    return;
  }
  char* pBlock = new char[sizeof(CZorStringData) + static_cast<size_t>(nLen) + 1];
  CZorStringData* pData = new (pBlock) CZorStringData{{1}, nLen, nLen};
  pData->data()[nLen] = '\0';
  m_pchData = pData->data();
}

void CZorString::Release() {
  CZorStringData* pData = GetData();
  if (!NoninitData(pData)) return;
  ASSERT(GetData()->nRefs != 0);
  if (pData->nRefs.fetch_sub(1) - 1 <= 0) FreeBlock(pData);
  SetEmpty();
}

void CZorString::AllocBeforeWrite(int nLen) {
  if (GetData()->nRefs > 1 || nLen > GetData()->nCapacity) {
    Release();
    AllocBuffer(nLen);
  }
  ASSERT(GetData()->nRefs <= 1);
}

void CZorString::CopyIn(int nLen, const char* src) {
  if (nLen < 0) nLen = 0;  // refused by AllocBuffer's assertion; nothing is copied
  AllocBeforeWrite(nLen);
  CZorStringData* pData = GetData();
  if (!NoninitData(pData)) return;  // the empty block is never written
  if (nLen > pData->nCapacity) nLen = pData->nCapacity;
  if (nLen > 0) memmove(m_pchData, src, static_cast<size_t>(nLen));  // src may lie in this block
  pData->nLength = nLen;
  m_pchData[nLen] = '\0';
}

bool CZorString::IsValidString(const char* lpsz) { return ZorPlatform::IsReadableString(lpsz); }

int CZorString::Compare(const char* lpsz) const {
  if (lpsz == nullptr) return 1;
  ASSERT(IsValidString(lpsz));
  return CompareText(lpsz);
}

int CZorString::CompareText(const char* lpsz) const {
  const char* p1 = m_pchData;
  const char* p2 = lpsz;
  for (;;) {
    unsigned nCode1 = ZorGameBase::GbkCharCode(p1);
    unsigned nCode2 = ZorGameBase::GbkCharCode(p2);
    if (nCode1 != nCode2) return nCode1 < nCode2 ? -1 : 1;
    if (nCode1 == 0) return 0;
    p1 += ZorGameBase::GbkCharSize(p1);
    p2 += ZorGameBase::GbkCharSize(p2);
  }
}

CZorString& CZorString::operator=(const char* lpsz) {
  ASSERT(lpsz == NULL || CZorString::IsValidString(lpsz));
  if (Compare(lpsz) == 0) return *this;
  size_t nLength = lpsz == nullptr ? 0 : strlen(lpsz);
  CopyIn(nLength > static_cast<size_t>(INT_MAX) ? -1 : static_cast<int>(nLength), lpsz);
  return *this;
}

CZorString& CZorString::AssignText(const char* pText, int nLength) {
  // Equal texts: a text without zero bytes compares equal exactly when its bytes and length do.
  if (GetData()->nLength == nLength && (nLength == 0 || memcmp(m_pchData, pText, nLength) == 0)) {
    return *this;
  }
  CopyIn(nLength, pText);
  return *this;
}

CZorString& CZorString::operator=(const CZorString& stringSrc) {
  if (m_pchData == stringSrc.m_pchData) return *this;
  if ((GetData()->nRefs < 0 && NoninitData(GetData())) || stringSrc.GetData()->nRefs < 0) {
    CopyIn(stringSrc.GetData()->nLength, stringSrc.m_pchData);
  } else {
    Release();
    // The condition is logged exactly as written.
    // clang-format off
    ASSERT(NoninitData( stringSrc.GetData() ));
    // clang-format on
    m_pchData = stringSrc.m_pchData;
    GetData()->nRefs.fetch_add(1);
  }
  return *this;
}

bool CZorString::NoninitData(const CZorStringData* pData) { return pData != &g_emptyBlock.header; }

bool operator==(const CZorString& str1, const CZorString& str2) { return str1.Compare(str2) == 0; }
bool operator!=(const CZorString& str1, const CZorString& str2) { return str1.Compare(str2) != 0; }
bool operator==(const CZorString& str, const char* lpsz) { return str.Compare(lpsz) == 0; }
bool operator==(const char* lpsz, const CZorString& str) { return str.Compare(lpsz) == 0; }
bool operator!=(const CZorString& str, const char* lpsz) { return str.Compare(lpsz) != 0; }
bool operator!=(const char* lpsz, const CZorString& str) { return str.Compare(lpsz) != 0; }

}  // namespace ZorString
