#pragma once
// CZorString: a reference-counted text whose copies share one heap block until one of them is
// written (copy on write). Tables keep names in it and hand them around by value; the client
// reads records holding CZorString fields in place, through the character pointer.
//
// A block is a header followed directly by the characters; every empty string points at the
// one static empty block (count -1), which is never freed and whose count never changes.
// Reference counts are atomic: strings sharing a block may live on different threads; one
// CZorString object is not safe for concurrent use. Misuse is logged as an assertion.

#include <atomic>
#include <cstdint>

namespace ZorString {

struct CZorStringData {
  std::atomic<int32_t> nRefs;  // strings sharing the block; -1 for the static empty block
  int32_t nLength;             // characters in use, without the terminating zero
  int32_t nCapacity;           // characters the block holds, without the terminating zero

  char* data() { return reinterpret_cast<char*>(this + 1); }
};
static_assert(sizeof(CZorStringData) == 12, "block header is three 32-bit fields");

class CZorString {
 public:
  CZorString();  // the empty string
  CZorString(const CZorString& stringSrc);
  CZorString(const char* lpsz);  // NOLINT: texts convert, as assignment does
  ~CZorString();

  CZorString& operator=(const CZorString& stringSrc);  // shares the source's block
  CZorString& operator=(const char* lpsz);             // copies; null gives the empty text

  operator const char*() const { return m_pchData; }  // never null
  int GetLength() const { return GetData()->nLength; }
  bool IsEmpty() const { return GetData()->nLength == 0; }

  // 0 when equal, negative or positive otherwise (GBK characters compared whole); 1 for null.
  int Compare(const char* lpsz) const;

  // What assigning a text does (operator=(const char*)), for a text of nLength characters
  // without zero bytes that the caller holds: its own buffer needs no probe of the pointer.
  CZorString& AssignText(const char* pText, int nLength);

  // The header of the current block.
  CZorStringData* GetData() const;

  // True for a pointer to a readable zero-terminated text (probed by the platform).
  static bool IsValidString(const char* lpsz);

 protected:
  // Compare without the check of the pointer.
  int CompareText(const char* lpsz) const;
  void SetEmpty();
  void AllocBuffer(int nLen);
  void Release();
  void AllocBeforeWrite(int nLen);
  void CopyIn(int nLen, const char* src);
  // True when the block is not the static empty block.
  static bool NoninitData(const CZorStringData* pData);

  char* m_pchData;
};

bool operator==(const CZorString& str1, const CZorString& str2);
bool operator!=(const CZorString& str1, const CZorString& str2);
bool operator==(const CZorString& str, const char* lpsz);
bool operator==(const char* lpsz, const CZorString& str);
bool operator!=(const CZorString& str, const char* lpsz);
bool operator!=(const char* lpsz, const CZorString& str);

}  // namespace ZorString
