#include "ZorIni.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <utility>

#include "DebugLog.h"
#include "FieldNumbers.h"
#include "Gbk.h"
#include "LinearProbe.h"
#include "LoadObserver.h"
#include "TextScan.h"
#include "WordBytes.h"
#include "ZorPlatform.h"

namespace ZorGameBase {
namespace {

const int MAX_SET_FIELD = 255;  // characters of one ReadFieldSet field
const int FIELD_SET_PAIRS = 10;
const long MAX_FILE_SIZE = 0x7FFFFFFE;

const uint32_t NO_KEY = 0xFFFFFFFFu;  // a line without "="

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n' || ch == '\0'; }
// A line (its blanks passed) that is a comment: ";" or "//" first.
bool IsCommentLine(const char* pStart) { return pStart[0] == ';' || (pStart[0] == '/' && pStart[1] == '/'); }
// Moves p past the line from pStart that ends at pEnd, its CR LF or LF included; a line that
// runs to the data's end is the last line, and p stops there.
void PassLine(const char*& p, const char* pStart, const char* pEnd, const char* pDataEnd, const char*& pLastLine) {
  if (pEnd >= pDataEnd) {
    pLastLine = pStart;
    p = pDataEnd;
  } else {
    p = pEnd + (pEnd[0] == '\r' && pEnd[1] == '\n' ? 2 : 1);
  }
}
// The runtime's white space; GBK double-byte characters are never white space.
bool IsSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// Signed or unsigned text to its magnitude: leading white space, an optional sign, then digits
// of nBase (0: "0x" hexadecimal, "0" octal, else decimal). Every magnitude past 32 bits
// saturates later, so accumulation stops growing beyond 36 bits.
uint64_t ParseMagnitude(const char* p, int nBase, bool& bNegative) {
  while (IsSpace(*p)) ++p;
  bNegative = false;
  if (*p == '+' || *p == '-') bNegative = *p++ == '-';
  if (nBase == 0) {
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
      nBase = 16;
      p += 2;
    } else {
      nBase = p[0] == '0' ? 8 : 10;
    }
  }
  const uint64_t nBig = 0xFFFFFFFFFull;
  uint64_t nValue = 0;
  for (;; ++p) {
    unsigned nDigit = static_cast<unsigned char>(*p) - '0';
    if (nDigit > 9) {
      unsigned nLower = (static_cast<unsigned char>(*p) | 0x20) - 'a';
      nDigit = nLower < 26 ? nLower + 10 : 99;
    }
    if (nDigit >= static_cast<unsigned>(nBase)) break;
    if (nValue <= nBig) nValue = nValue * static_cast<unsigned>(nBase) + nDigit;
  }
  return nValue;
}

// The magnitude ParseIniInteger and ParseIniUnsigned read: after white space, "0" not followed
// by x is decimal; otherwise a sign and the base of the text ("0x", "0", else decimal). Plain
// decimal digits, the common case, take the short way.
uint64_t IniMagnitude(const char* p, bool& bNegative) {
  while (IsSpace(*p)) ++p;
  bNegative = false;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return ParseMagnitude(p, 0, bNegative);
  if (p[0] != '0' && (p[0] == '+' || p[0] == '-')) {
    // "-0x..." hexadecimal, "-0..." octal
    if (p[1] == '0') return ParseMagnitude(p, 0, bNegative);
    bNegative = *p++ == '-';
  }
  const uint64_t nBig = 0xFFFFFFFFFull;
  uint64_t nValue = 0;
  for (unsigned nDigit; (nDigit = static_cast<unsigned char>(*p) - '0') < 10; ++p) {
    if (nValue <= nBig) nValue = nValue * 10 + nDigit;
  }
  return nValue;
}

// strtoll(pszText, nullptr, 10): white space, a sign, decimal digits; 0 without digits;
// saturated at the 64-bit limits.
int64_t ParseDecimal64(const char* pszText) {
  const char* p = pszText;
  while (IsSpace(*p)) ++p;
  bool bNegative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  const uint64_t nLimit = bNegative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  uint64_t nValue = 0;
  bool bOver = false;
  const uint64_t nSafe = (uint64_t{1} << 63) / 10 - 1;  // any digit appended stays in range
  for (unsigned nDigit; (nDigit = static_cast<unsigned char>(*p) - '0') < 10; ++p) {
    if (nValue < nSafe) {
      nValue = nValue * 10 + nDigit;
      continue;
    }
    if (bOver || nValue > (nLimit - nDigit) / 10) {
      bOver = true;
      continue;
    }
    nValue = nValue * 10 + nDigit;
  }
  if (bOver) return bNegative ? INT64_MIN : INT64_MAX;
  return bNegative ? static_cast<int64_t>(0 - nValue) : static_cast<int64_t>(nValue);
}

// strtof(pszText, nullptr) in the C locale. Plain decimal text (after white space and a sign, a
// digit or a point, no "0x") is converted without the runtime's locale machinery, to the same
// nearest float; everything else, and results out of range, go through strtof itself. The
// number ends by pEnd at the latest (a field's end; null: the text's zero byte).
float ParseFloat(const char* pszText, const char* pEnd = nullptr) {
  const char* p = pszText;
  while (IsSpace(*p)) ++p;
  bool bNegative = *p == '-';
  const char* pNumber = *p == '+' || *p == '-' ? p + 1 : p;
  bool bDecimal = (*pNumber >= '0' && *pNumber <= '9') || *pNumber == '.';
  if (bDecimal && pNumber[0] == '0' && (pNumber[1] == 'x' || pNumber[1] == 'X')) bDecimal = false;
  if (bDecimal) {
    float fValue = 0.0f;
    if (pEnd == nullptr) pEnd = pNumber + strlen(pNumber);
    const char* pStop;
    if (ShortDecimalFloat(pNumber, pEnd, fValue, pStop)) return bNegative ? -fValue : fValue;
    auto result = std::from_chars(pNumber, pEnd, fValue, std::chars_format::general);
    if (result.ec == std::errc()) return bNegative ? -fValue : fValue;
  }
  return strtof(pszText, nullptr);
}

template <typename T>
void Store(void* pDest, T value) {
  memcpy(pDest, &value, sizeof(value));
}

// Converts one field into its destination by type: the text at pszField, which ends at pEnd or,
// for a number, at the white space or line end after it. A null destination or an unknown type
// converts nothing (the field still counts).
inline void ConvertField(int nType, void* pDest, const char* pszField, const char* pEnd) {
  if (pDest == nullptr) return;
  switch (nType) {
    case INI_INT:
    case INI_LONG:
    case INI_INT32:
      Store<int32_t>(pDest, ParseIniInteger(pszField));
      break;
    case INI_INT64:
      Store<int64_t>(pDest, ParseDecimal64(pszField));
      break;
    case INI_SHORT:
      Store<uint16_t>(pDest, static_cast<uint16_t>(ParseIniInteger(pszField)));
      break;
    case INI_WORD:
      Store<uint16_t>(pDest, static_cast<uint16_t>(ParseIniUnsigned(pszField)));
      break;
    case INI_DWORD:
      Store<uint32_t>(pDest, ParseIniUnsigned(pszField));
      break;
    case INI_FLOAT:
      Store<float>(pDest, ParseFloat(pszField, pEnd));
      break;
    case INI_DOUBLE:
      Store<double>(pDest, strtod(pszField, nullptr));
      break;
    case INI_CHARS:
      memcpy(pDest, pszField, strlen(pszField) + 1);
      break;
    case INI_STRING:
      static_cast<std::string*>(pDest)->assign(pszField);
      break;
    case INI_ZORSTRING:
      static_cast<ZorString::CZorString*>(pDest)->AssignText(pszField,
                                                             static_cast<int>(strlen(pszField)));
      break;
    case INI_BYTE:
      Store<uint8_t>(pDest, static_cast<uint8_t>(ParseIniInteger(pszField)));
      break;
    case INI_BOOL:
      Store<bool>(pDest, ParseIniInteger(pszField) != 0);
      break;
    default:
      break;
  }
}

// The field loop shared by ReadFields and ReadFieldSet over one line (in the image or in the
// line buffer): pairs come from nextPair(IniField&) until it returns false. Counts attempted
// and converted pairs. A field longer than nMaxField characters is cut to its first nMaxField.
template <typename NextPair>
void ConvertLine(const char* pszLine, int nMaxField, NextPair nextPair, int& nAttempted,
                 int& nConverted) {
  char szField[CZorIni::LINE_BUFFER];
  nAttempted = 0;
  nConverted = 0;
  const char* p = pszLine;
  IniField field;
  while (nextPair(field)) {
    ++nAttempted;
    while (IsBlank(*p)) ++p;
    if (IsLineEnd(*p)) break;
    const char* pStart = p;
    while (!EndsField(*p)) ++p;
    int nLength = static_cast<int>(p - pStart);
    bool bText =
        field.nType == INI_CHARS || field.nType == INI_STRING || field.nType == INI_ZORSTRING;
    if (!bText && nLength <= nMaxField) {
      // Number conversions stop at the white space after the field: no copy needed.
      ConvertField(field.nType, field.pData, pStart, p);
    } else {
      if (nLength > nMaxField) nLength = nMaxField;
      memcpy(szField, pStart, static_cast<size_t>(nLength));
      szField[nLength] = '\0';
      ConvertField(field.nType, field.pData, szField, szField + nLength);
    }
    ++nConverted;
    if (IsLineEnd(*p)) break;
  }
}

// The image is followed by this many zero bytes, so that a line's scan may read a whole step
// past the line's end.
const size_t IMAGE_PADDING = 16;

// The end of the line at p (its first carriage return, line feed or zero byte; the padding after
// the image guarantees one) and, through pEquals, the line's first "=" before that end, or null
// (always null when FIND_KEY is false: a walk that needs only the lines' ends).
// Sixteen bytes a step where the compiler has SSE2, else eight.
template <bool FIND_KEY>
const char* ScanLine(const char* p, const char*& pEquals) {
  pEquals = nullptr;
#if defined(ZOR_SCAN_SSE2)
  const __m128i vLf = _mm_set1_epi8('\n');
  const __m128i vCr = _mm_set1_epi8('\r');
  const __m128i vZero = _mm_setzero_si128();
  const __m128i vEquals = _mm_set1_epi8('=');
  for (;; p += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    unsigned nEnds = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(v, vLf), _mm_cmpeq_epi8(v, vCr)), _mm_cmpeq_epi8(v, vZero))));
    unsigned nEquals = FIND_KEY ? static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vEquals))) : 0;
    if (nEnds != 0) nEquals &= (nEnds & (0u - nEnds)) - 1;  // only those before the end
    if (pEquals == nullptr && nEquals != 0) pEquals = p + CountTrailingZeros(nEquals);
    if (nEnds != 0) return p + CountTrailingZeros(nEnds);
  }
#else
  for (;; p += 8) {
    uint64_t nWord = LoadWord(p);
    uint64_t nEnds = BytesBelow(nWord, 1) | BytesEqual(nWord, '\r') | BytesEqual(nWord, '\n');
    uint64_t nFound = nEnds | (FIND_KEY && pEquals == nullptr ? BytesEqual(nWord, '=') : 0);
    if (nFound == 0) continue;
    // Byte by byte from the first mark: the marks above the lowest are not exact.
    const char* pMark = p;
    MoveToLowestMark(pMark, nFound);  // where it cannot tell, from the word's first byte
    for (; !IsLineEnd(*pMark); ++pMark) {
      if (FIND_KEY && *pMark == '=' && pEquals == nullptr) pEquals = pMark;
    }
    return pMark;
  }
#endif
}

ZOR_OBSERVER_PATH std::string LineText(const char* pLine) {
  const char* pEnd = pLine;
  while (!IsLineEnd(*pEnd)) ++pEnd;
  return std::string(pLine, pEnd);
}

// What an observer is told of the lines of one section: a '[' line that is no title, a line
// without '=' (no key reads it), and a key written twice (the first line counts).
ZOR_OBSERVER_PATH void ObserveSectionLines(const char* pszFile, const std::vector<const char*>& lines,
                         const std::vector<uint32_t>& keyLengths) {
  std::vector<std::pair<std::string_view, const char*>> keys;
  for (size_t n = 0; n < lines.size(); ++n) {
    const char* pLine = lines[n];
    if (pLine[0] == '[') {
      ReportFinding(RULE_SECTION_UNCLOSED, pszFile, pLine,
                    "\"" + LineText(pLine) + "\" is no section title (no ']' at its end); the lines "
                    "after it belong to the section before it");
    } else if (keyLengths[n] == NO_KEY) {
      ReportFinding(RULE_LINE_IGNORED, pszFile, pLine,
                    "\"" + LineText(pLine) + "\" has no '='; no key reads it");
    } else {
      keys.emplace_back(std::string_view(pLine, keyLengths[n]), pLine);
    }
  }
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < keys.size(); ++i) {
    if (keys[i].first != keys[i - 1].first) continue;
    size_t nFirst = i - 1;
    while (nFirst > 0 && keys[nFirst - 1].first == keys[i].first) --nFirst;
    ReportFinding(RULE_DUPLICATE_KEY, pszFile, keys[i].second,
                  "key " + std::string(keys[i].first) + " also on line " +
                      std::to_string(ObservedLine(keys[nFirst].second)) +
                      " of the section; the client keeps that one");
  }
}

// A number value that the conversion reads only in part ("15OO" as 15) or not at all ("O.8").
void ObserveNumber(const char* pszFile, const char* pszKey, const char* pValue, bool bDecimal);

ZOR_OBSERVER_PATH void ObserveIntValue(const CZorIni& ini, const char* pszKey, const char* pValue) {
  ObserveNumber(ini.GetFileName(), pszKey, pValue, false);
}

ZOR_OBSERVER_PATH void ObserveNumber(const char* pszFile, const char* pszKey, const char* pValue, bool bDecimal) {
  const char* pEnd = pValue;
  while (!IsLineEnd(*pEnd)) ++pEnd;
  if (IsWholeNumber(pValue, pEnd, bDecimal)) {
    const char* pOver = bDecimal ? nullptr : FindOutOfRange(pValue, pEnd);
    if (pOver != nullptr) {
      ReportFinding(RULE_NUMBER_RANGE, pszFile, pOver,
                    std::string(pszKey) + "=" + std::string(pValue, pEnd) +
                        ": the number does not fit 32 bits; the client reads another value");
    }
    return;
  }
  std::string strValue(pValue, pEnd);
  const char* p = pValue;
  while (p < pEnd && (*p == ' ' || *p == '\t' || *p == '+' || *p == '-')) ++p;
  bool bDigits = p < pEnd && (*p >= '0' && *p <= '9');
  ReportFinding(bDigits ? RULE_NUMBER_CUT : RULE_NUMBER_MISSING, pszFile, pValue,
                std::string(pszKey) + "=" + strValue +
                    (bDigits ? ": the client reads only the number at its start"
                             : ": no number here; the client reads 0"));
}

bool HasIniExtension(const char* pszName, size_t nLength, const char* pszExtension) {
  if (nLength <= 4) return false;
  const char* pExt = pszName + nLength - 4;
  for (int i = 0; i < 4; ++i) {
    char ch = pExt[i] >= 'A' && pExt[i] <= 'Z' ? static_cast<char>(pExt[i] - 'A' + 'a') : pExt[i];
    if (ch != pszExtension[i]) return false;
  }
  return true;
}

// The characters of a line from pStart to its end that a line buffer keeps: at most 2047.
size_t CutLength(const char* pStart, const char* pEnd) {
  const size_t nKept = CZorIni::LINE_BUFFER - 1;
  size_t nLength = static_cast<size_t>(pEnd - pStart);
  return nLength < nKept ? nLength : nKept;
}

}  // namespace

// One line of the image: its first non-blank character, its length without leading and
// trailing blanks, and where it ends.
struct CZorIni::LineSpan {
  const char* pStart;
  size_t nLength;
  const char* pEnd;
  uint32_t nKeyLength;  // the length of the text before the line's first "=", or NO_KEY (also
                        // when the walk did not look for keys)
};

int32_t ParseIniInteger(const char* pszText) {
  if (pszText == nullptr || *pszText == '\0') return 0;
  bool bNegative;
  uint64_t nMagnitude = IniMagnitude(pszText, bNegative);
  return SaturateInt32(nMagnitude, bNegative);
}

uint32_t ParseIniUnsigned(const char* pszText) {
  if (pszText == nullptr || *pszText == '\0') return 0;
  bool bNegative;
  uint64_t nMagnitude = IniMagnitude(pszText, bNegative);
  if (nMagnitude > 0xFFFFFFFFull) return UINT32_MAX;
  uint32_t nValue = static_cast<uint32_t>(nMagnitude);
  return bNegative ? 0u - nValue : nValue;
}

bool ReadBufferLine(const char* pData, unsigned nSize, unsigned& nPosition, char* pOut,
                    unsigned nOutSize) {
  if (pData == nullptr || pOut == nullptr || nPosition >= nSize || nOutSize == 0) return false;
  unsigned nOut = 0;
  while (nPosition < nSize) {
    if (nOut == nOutSize) return false;
    char ch = pData[nPosition++];
    if (ch == '\n') {
      if (nOut > 0 && pOut[nOut - 1] == '\r') --nOut;
      pOut[nOut] = '\0';
      return true;
    }
    pOut[nOut++] = ch;
  }
  if (nOut == nOutSize) return false;  // no room for the terminating zero
  pOut[nOut] = '\0';
  return true;
}

bool TrimLineHead(char* pszText) {
  if (pszText == nullptr) return false;
  char* p = pszText;
  while (IsSpace(*p)) ++p;
  if (*p == ';' || (p[0] == '/' && p[1] == '/')) {
    *p = '\0';
  } else if (p != pszText) {
    memmove(pszText, p, strlen(p) + 1);
  }
  return true;
}

bool TrimLineTail(char* pszText) {
  if (pszText == nullptr) return false;
  char* pKeep = pszText;  // just after the last character that is not white space
  char* p = pszText;
  while (*p != '\0') {
    if (*p == ';' || (p[0] == '/' && p[1] == '/')) break;
    size_t nSize = GbkCharSize(p);
    if (nSize == 2 || !IsSpace(*p)) pKeep = p + nSize;
    p += nSize;
  }
  *pKeep = '\0';
  return true;
}

namespace {
// strtoll(p, nullptr, 10) over [p, pEnd): white space, a sign, decimal digits; saturated.
long long FieldNumber(const char* p, const char* pEnd) {
  while (p < pEnd && IsSpace(*p)) ++p;
  bool bNegative = p < pEnd && *p == '-';
  if (p < pEnd && (*p == '+' || *p == '-')) ++p;
  unsigned long long nValue = 0;
  const unsigned long long nLimit = bNegative ? 0ULL - LLONG_MIN : LLONG_MAX;
  for (unsigned nDigit; p < pEnd && (nDigit = static_cast<unsigned char>(*p) - '0') < 10; ++p) {
    nValue = nValue > (nLimit - nDigit) / 10 ? nLimit : nValue * 10 + nDigit;
  }
  return bNegative ? static_cast<long long>(0ULL - nValue) : static_cast<long long>(nValue);
}
}  // namespace

void SplitNumberList(const char* pszText, std::vector<unsigned>& values, const char* pszSeparator,
                     unsigned nLength) {
  if (nLength == 0) return;
  char chSeparator = pszSeparator != nullptr && *pszSeparator != '\0' ? *pszSeparator : ',';
  values.clear();
  if (pszText == nullptr) return;
  // A text longer than the scratch of nLength bytes is cut to nLength - 1 characters.
  const char* pEnd = pszText + strnlen(pszText, nLength - 1);
  // Room for one number per field, taken once.
  values.reserve(static_cast<size_t>(std::count(pszText, pEnd, chSeparator)) + 1);
  for (const char* p = pszText;;) {
    long long nValue = FieldNumber(p, pEnd);
    if (nValue >= 0) values.push_back(static_cast<unsigned>(nValue));
    p = static_cast<const char*>(memchr(p, chSeparator, static_cast<size_t>(pEnd - p)));
    if (p == nullptr) break;
    ++p;
  }
}

namespace {
// The key of the ".dat" tables, built at the first enciphered file, not by every reader.
const unsigned char* DatFileKey() {
  struct Key {
    Key() { CZorEncryptFile::BuildKey(DAT_FILE_SEED, abyKey); }
    unsigned char abyKey[CZorEncryptFile::KEY_SIZE];
  };
  static const Key key;
  return key.abyKey;
}
}  // namespace

CZorIni::CZorIni()
    : m_pCursor(nullptr),
      m_pLastLine(nullptr),
      m_nSize(0),
      m_szFileName(),
      m_szSectionTitle(),
      m_bKeysIndexed(false),
      m_bReportErrors(true) {}

CZorIni::~CZorIni() { Close(); }

void CZorIni::LogError(const CZorIni* pIni, const char* pszFormat, ...) {
  if (pIni == nullptr || !pIni->m_bReportErrors || pszFormat == nullptr) return;
  char szMessage[LINE_BUFFER];
  va_list args;
  va_start(args, pszFormat);
  // Longer messages are cut to the buffer.
  vsnprintf(szMessage, sizeof(szMessage), pszFormat, args);
  va_end(args);
  WriteLogRecord(szMessage);
}

bool CZorIni::Open(const char* pszFileName, bool /*bSearchAlternatives: no caller sets it*/) {
  if (pszFileName == nullptr || *pszFileName == '\0') return false;
  size_t nLength = strlen(pszFileName);
  bool bPlain = HasIniExtension(pszFileName, nLength, ".ini") ||
                HasIniExtension(pszFileName, nLength, ".ani");
  bool bEnciphered = HasIniExtension(pszFileName, nLength, ".dat");
  if (!bPlain && !bEnciphered) return false;
  Close();  // a reader that held a file lets it go first
  size_t nCopy = nLength < NAME_BUFFER - 1 ? nLength : NAME_BUFFER - 1;
  memcpy(m_szFileName, pszFileName, nCopy);
  m_szFileName[nCopy] = '\0';
  return bPlain ? LoadPlain(pszFileName) : LoadEnciphered(pszFileName);
}

bool CZorIni::AllocateImage(uint32_t nSize) {
  m_pBuffer = CImageRelease::Allocate(static_cast<size_t>(nSize) + IMAGE_PADDING);
  if (m_pBuffer == nullptr) return false;
  m_nSize = nSize;
  return true;
}

void CZorIni::StartWalk() {
  memset(m_pBuffer.get() + m_nSize, 0, IMAGE_PADDING);
  m_pCursor = m_pBuffer.get();
  m_pLastLine = m_pBuffer.get() + m_nSize;
}

bool CZorIni::LoadPlain(const char* pszPath) { return LoadImage(pszPath, false); }

bool CZorIni::LoadEnciphered(const char* pszPath) { return LoadImage(pszPath, true); }

// Reads the whole file into the image in one read. An enciphered file is deciphered there in
// place with the embedded encrypted file's key, so that its text is held once, however large
// the file; an empty enciphered file fails, an empty plain one is an empty document.
bool CZorIni::LoadImage(const char* pszPath, bool bEnciphered) {
  size_t nLength = 0;
  ZorPlatform::FileHandle hFile = OpenWhole(pszPath, nLength);
  if (hFile == ZorPlatform::NO_FILE) {
    if (LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  bool bLoaded = false;
  unsigned char abyRaw[256];  // what an observer is told of an enciphered file as read
  size_t nRaw = 0;
  if (nLength == 0) {
    bLoaded = !bEnciphered;  // an empty document: nothing to read, every walk finds nothing
  } else if (nLength <= static_cast<size_t>(MAX_FILE_SIZE) && AllocateImage(static_cast<uint32_t>(nLength))) {
    bLoaded = ReadAll(hFile, m_pBuffer.get(), m_nSize);
    if (bLoaded && bEnciphered) {
      if (LoadObserver() != nullptr) {
        nRaw = m_nSize < sizeof(abyRaw) ? m_nSize : sizeof(abyRaw);
        memcpy(abyRaw, m_pBuffer.get(), nRaw);
      }
      CZorEncryptFile::Decipher(DatFileKey(),
                                reinterpret_cast<unsigned char*>(m_pBuffer.get()),
                                static_cast<int>(m_nSize));
    }
    if (bLoaded) StartWalk();
  }
  ZorPlatform::CloseFile(hFile);
  if (!bLoaded) Close();
  if (LoadObserver() != nullptr) {
    if (!bLoaded) {
      ObserveOpenFailure(pszPath);
    } else if (bEnciphered) {
      ObserveEnciphered(pszPath, abyRaw, nRaw, m_pBuffer.get(), m_nSize);
    } else {
      ObserveFile(pszPath, m_pBuffer.get(), m_nSize);
    }
  }
  return bLoaded;
}

bool CZorIni::Close() {
  m_pBuffer.reset();
  m_pLineBuffer.reset();
  m_szFileName[0] = '\0';
  m_szSectionTitle[0] = '\0';
  m_pSectionHeader = nullptr;
  m_pHeaderAhead = nullptr;
  m_pCursor = nullptr;
  m_pLastLine = nullptr;
  m_nSize = 0;
  m_vecSectionLines.clear();
  m_vecKeyLength.clear();
  m_bKeysIndexed = false;
  return true;
}

bool CZorIni::AtEnd() const {
  return m_pBuffer == nullptr || m_pCursor >= m_pBuffer.get() + m_nSize;
}

// The next line from p (before pDataEnd) that holds more than blanks and is no comment, p moved
// past its end; false, p at the data's end, when none is left. A last line without line break
// sets pLastLine. The span's key is looked for only when FIND_KEY.
template <bool FIND_KEY>
inline bool CZorIni::NextContentLine(const char*& p, const char* pDataEnd, const char*& pLastLine,
                                     LineSpan& span) {
  while (p < pDataEnd) {
    while (IsBlank(*p)) ++p;
    const char* pStart = p;
    const char* pEquals;
    const char* pEnd = ScanLine<FIND_KEY>(pStart, pEquals);
    const char* pLast = pEnd;
    while (pLast > pStart && IsBlank(pLast[-1])) --pLast;
    PassLine(p, pStart, pEnd, pDataEnd, pLastLine);
    if (pLast == pStart || IsCommentLine(pStart)) continue;
    span.pStart = pStart;
    span.nLength = static_cast<size_t>(pLast - pStart);
    span.pEnd = pEnd;
    span.nKeyLength = pEquals != nullptr ? static_cast<uint32_t>(pEquals - pStart) : NO_KEY;
    return true;
  }
  return false;
}

inline bool CZorIni::ReadContentLine(LineSpan& span) {
  return m_pBuffer != nullptr && NextContentLine<false>(m_pCursor, m_pBuffer.get() + m_nSize, m_pLastLine, span);
}

// A line longer than 2047 characters is cut to its first 2047; the rest of it is dropped. The
// buffer is taken when a line first needs it; null when it cannot be.
const char* CZorIni::CopyToLineBuffer(const LineSpan& span) {
  if (m_pLineBuffer == nullptr) m_pLineBuffer.reset(new (std::nothrow) char[LINE_BUFFER]);
  if (m_pLineBuffer == nullptr) return nullptr;
  memcpy(m_pLineBuffer.get(), span.pStart, CutLength(span.pStart, span.pEnd));
  m_pLineBuffer[CutLength(span.pStart, span.pEnd)] = '\0';
  return m_pLineBuffer.get();
}

// The line as the field readers see it: in place, where it ends at its line end within the
// line buffer's length (the fields end there as they would at the copy's zero byte); else the
// copy, cut. pLineEnd is set to the line's end.
const char* CZorIni::FieldLine(const LineSpan& span, const char*& pLineEnd) {
  if (span.pEnd - span.pStart <= LINE_BUFFER - 1) {
    pLineEnd = span.pEnd;
    return span.pStart;
  }
  const char* pszCopy = CopyToLineBuffer(span);
  pLineEnd = pszCopy != nullptr ? pszCopy + (LINE_BUFFER - 1) : nullptr;
  return pszCopy;
}

// The next header and its title, the section's lines emptied: ReadSection's first steps.
bool CZorIni::ReadSectionTitle() {
  if (m_pBuffer == nullptr) return false;
  m_vecSectionLines.clear();
  m_vecKeyLength.clear();
  m_bKeysIndexed = false;
  LineSpan span{};
  bool bAhead = m_pHeaderAhead != nullptr && m_pCursor == m_pHeaderAhead;  // where the key walk stopped
  if (bAhead) {
    span.pStart = m_pHeaderAhead;
    span.nLength = m_nHeaderAheadLength;
    m_pCursor = m_pAfterHeaderAhead;
    m_pHeaderAhead = nullptr;
  }
  while (!bAhead) {
    if (!ReadContentLine(span)) return false;
    if (IsHeader(span)) break;
    if (LoadObserver() != nullptr && m_pBuffer != nullptr) {
      ReportFinding(span.pStart[0] == '[' ? RULE_SECTION_UNCLOSED : RULE_KEY_OUTSIDE_SECTION,
                    m_szFileName, span.pStart,
                    "\"" + LineText(span.pStart) + "\" stands before the first section; no record reads it");
    }
  }
  size_t nTitle = span.nLength - 2;
  if (nTitle >= TITLE_BUFFER) {
    char szTitle[LINE_BUFFER];
    if (nTitle > LINE_BUFFER - 1) nTitle = LINE_BUFFER - 1;
    memcpy(szTitle, span.pStart + 1, nTitle);
    szTitle[nTitle] = '\0';
    LogError(this, "%s %s title too long wrong!", m_szFileName, szTitle);
    if (LoadObserver() != nullptr) {
      ReportFinding(RULE_LINE_REJECTED, m_szFileName, span.pStart,
                    "the section title is longer than 31 characters; the reading of the file ends here",
                    true);
    }
    return false;
  }
  memcpy(m_szSectionTitle, span.pStart + 1, nTitle);
  m_szSectionTitle[nTitle] = '\0';
  m_pSectionHeader = span.pStart;
  return true;
}

bool CZorIni::ReadSection() {
  if (!ReadSectionTitle()) return false;
  // The lines up to the next header, walked with the cursor in hand.
  LineSpan span;
  const char* pDataEnd = m_pBuffer.get() + m_nSize;
  const char* p = m_pCursor;
  while (NextContentLine<true>(p, pDataEnd, m_pLastLine, span)) {
    if (IsHeader(span)) {
      p = span.pStart;  // the next ReadSection starts at this header
      break;
    }
    m_vecSectionLines.push_back(span.pStart);
    m_vecKeyLength.push_back(span.nKeyLength);
  }
  m_pCursor = p;
  if (LoadObserver() != nullptr) ObserveSectionLines(m_szFileName, m_vecSectionLines, m_vecKeyLength);
  return true;
}

// A line that starts with the key that followed the key before it last time is taken as that
// key's line without a look for its "="; every other line is classed as ReadSection classes it.
bool CZorIni::ReadSectionKeys(const CIniKeySet& keys, const char** apLines) {
  uint64_t nPlain;
  uint64_t nEnded;
  return ReadSectionKeys(keys, apLines, nullptr, nPlain, nullptr, nEnded);
}

// A guessed key line's value is first read as a plain number: its digits end the line or show
// where the scan for the line's end goes on, and that end is the value's.
bool CZorIni::ReadSectionKeys(const CIniKeySet& keys, const char** apLines, int32_t* anNumbers,
                              uint64_t& nPlain, const char** apValueEnds, uint64_t& nEnded) {
  nPlain = 0;
  nEnded = 0;
  if (LoadObserver() != nullptr) {  // the observer is told of the section's lines
    if (!ReadSection()) return false;
    FindKeyLines(keys, apLines);
    return true;
  }
  if (!ReadSectionTitle()) return false;
  const size_t nKeys = keys.Count();
  std::fill(apLines, apLines + nKeys, nullptr);
  if (m_vecKeyNext.size() != nKeys + 1) m_vecKeyNext.assign(nKeys + 1, static_cast<uint32_t>(nKeys));
  const bool bValues = anNumbers != nullptr && apValueEnds != nullptr && nKeys <= 64;
  size_t nLast = nKeys;  // the title's place
  const char* pDataEnd = m_pBuffer.get() + m_nSize;
  const char* p = m_pCursor;
  while (p < pDataEnd) {
    if (static_cast<unsigned char>(*p) <= ' ') {  // most lines start with their key
      while (IsBlank(*p)) ++p;
    }
    const char* pStart = p;
    size_t nKey = m_vecKeyNext[nLast];
    const char* pEquals = nullptr;
    const char* pEnd;
    const char* pValueEnd = nullptr;  // of a guessed line whose value is seen whole
    bool bGuessed = keys.StartsLine(nKey, pStart);
    if (bGuessed) {
      const char* pValue = pStart + keys.KeyLength(nKey) + 1;
      const char* q = pValue;
      uint32_t nNumber = 0;
      if (bValues) {
        for (unsigned nDigit; (nDigit = static_cast<unsigned char>(*q) - '0') < 10; ++q) nNumber = nNumber * 10 + nDigit;
      }
      if (static_cast<size_t>(q - pValue) - 1 < 9 && (*q == '\n' || *q == '\r') && apLines[nKey] == nullptr) {
        pEnd = q;
        anNumbers[nKey] = static_cast<int32_t>(nNumber);
        nPlain |= uint64_t{1} << nKey;
      } else {
        pEnd = ScanLine<false>(q, pEquals);
        if (bValues && pEnd != pValue && pEnd < pDataEnd) pValueEnd = pEnd;
      }
    } else {
      pEnd = ScanLine<true>(pStart, pEquals);
    }
    PassLine(p, pStart, pEnd, pDataEnd, m_pLastLine);
    if (!bGuessed) {
      if (pEnd == pStart || IsCommentLine(pStart)) continue;
      const char* pLast = pEnd;
      while (IsBlank(pLast[-1])) --pLast;  // the line holds a non-blank character
      if (pLast - pStart >= 2 && pStart[0] == '[' && pLast[-1] == ']') {
        m_pHeaderAhead = pStart;  // the next section starts at this header
        m_nHeaderAheadLength = static_cast<size_t>(pLast - pStart);
        m_pAfterHeaderAhead = p;
        p = pStart;
        break;
      }
      if (pEquals == nullptr) continue;
      nKey = keys.Find(pStart, static_cast<size_t>(pEquals - pStart));
      if (nKey == CIniKeySet::NOT_A_KEY) continue;
      m_vecKeyNext[nLast] = static_cast<uint32_t>(nKey);  // a guessed key is there already
    }
    if (apLines[nKey] == nullptr) {
      apLines[nKey] = pStart;
      if (pValueEnd != nullptr) {
        apValueEnds[nKey] = pValueEnd;
        nEnded |= uint64_t{1} << nKey;
      }
    }
    nLast = nKey;
  }
  m_pCursor = p;
  for (const auto& repeat : keys.Repeats()) {
    apLines[repeat.first] = apLines[repeat.second];
    if (repeat.first >= 64 || repeat.second >= 64) continue;
    if ((nPlain >> repeat.second & 1) != 0) {
      anNumbers[repeat.first] = anNumbers[repeat.second];
      nPlain |= uint64_t{1} << repeat.first;
    }
    if ((nEnded >> repeat.second & 1) != 0) {
      apValueEnds[repeat.first] = apValueEnds[repeat.second];
      nEnded |= uint64_t{1} << repeat.first;
    }
  }
  return true;
}

bool CZorIni::IsHeader(const LineSpan& span) {
  return span.nLength >= 2 && span.pStart[0] == '[' && span.pStart[span.nLength - 1] == ']';
}

bool CZorIni::GetSectionTitle(std::string& strTitle) const {
  if (m_szSectionTitle[0] == '\0') return false;
  strTitle = m_szSectionTitle;
  return true;
}

namespace {

// A key's length and a few of its characters: enough to tell a section's keys apart, and
// cheap (the key is compared whole afterwards).
uint32_t HashKey(const char* pKey, size_t nKey) {
  uint32_t nHash = static_cast<uint32_t>(nKey) * 0x9E3779B1u;
  if (nKey > 0) {
    nHash ^= static_cast<unsigned char>(pKey[0]) * 0x85EBCA77u;
    nHash ^= static_cast<unsigned char>(pKey[nKey - 1]) * 0xC2B2AE3Du;
    nHash ^= static_cast<unsigned char>(pKey[nKey / 2]) * 0x27D4EB2Fu;
  }
  return nHash ^ (nHash >> 15);
}
}  // namespace

bool CZorIni::ReadValue(const char* pszKey, char* pszBuffer, int nBufferSize, bool bReportEmpty) {
  if (m_pBuffer == nullptr) return false;
  if (pszKey == nullptr || *pszKey == '\0') {
    LogError(this, "read %s key wrong!", m_szFileName);
    return false;
  }
  if (pszBuffer == nullptr || nBufferSize < 1 || nBufferSize > LINE_BUFFER) return false;
  size_t nKey = strlen(pszKey);
  const char* pLine = FindKeyLine(pszKey, nKey);
  return pLine != nullptr && ReadValueAt(pLine, pszKey, nKey, pszBuffer, nBufferSize, bReportEmpty);
}

ZOR_OBSERVER_PATH void CZorIni::ObserveFormatWrong(const char* pLine) {
  if (LoadObserver() == nullptr || !m_bReportErrors) return;
  ReportFinding(RULE_LINE_REJECTED, m_szFileName, pLine,
                "\"" + LineText(pLine) + "\" does not have the fields the table needs", true);
}

void CZorIni::ReportEmptyValue(const char* pLine, const char* pszKey) {
  LogError(this, "%s key: %s format wrong!", m_szFileName, pszKey);
  if (LoadObserver() != nullptr && m_bReportErrors) {
    ReportFinding(RULE_LINE_REJECTED, m_szFileName, pLine,
                  std::string(pszKey) + "= has no value; the client keeps the default", true);
  }
}

ZOR_OBSERVER_PATH void CZorIni::ObserveValue(const char* pszKey, bool bDecimal) {
  const char* pLine = FindKeyLine(pszKey, strlen(pszKey));
  if (pLine != nullptr) ObserveNumber(m_szFileName, pszKey, pLine + strlen(pszKey) + 1, bDecimal);
}

bool CZorIni::ReadValueAt(const char* pLine, const char* pszKey, size_t nKey, char* pszBuffer,
                          int nBufferSize, bool bReportEmpty) {
  const char* pValue;
  size_t nValue;
  if (!ValueAt(pLine, pszKey, nKey, bReportEmpty, pValue, nValue)) return false;
  size_t nCopy = std::min(nValue, static_cast<size_t>(nBufferSize) - 1);
  memcpy(pszBuffer, pValue, nCopy);
  pszBuffer[nCopy] = '\0';
  return true;
}

// The value's characters in the image, uncut: spaces after "=" skipped, up to the line's end;
// on the last line without a line break, the rest of the data up to a zero byte in it (the only
// line that may hold one), spaces kept, and an empty value is a value.
bool CZorIni::ValueAt(const char* pLine, const char* pszKey, size_t nKey, bool bReportEmpty,
                      const char*& pValue, size_t& nValue) {
  const char* p = pLine + nKey + 1;
  if (pLine == m_pLastLine) {
    pValue = p;
    nValue = strnlen(p, static_cast<size_t>(m_pBuffer.get() + m_nSize - p));
    return true;
  }
  if (IsLineEnd(*p)) {
    if (bReportEmpty) ReportEmptyValue(pLine, pszKey);
    return false;
  }
  while (*p == ' ') ++p;
  const char* pEquals;
  pValue = p;
  nValue = static_cast<size_t>(ScanLine<false>(p, pEquals) - p);
  return true;
}

const char* CZorIni::ValueStartAt(const char* pLine, const char* pszKey, size_t nKey,
                                  bool bReportEmpty) {
  const char* p = pLine + nKey + 1;
  if (pLine != m_pLastLine && IsLineEnd(*p)) {
    if (bReportEmpty) ReportEmptyValue(pLine, pszKey);
    return nullptr;
  }
  return p;
}

// One walk over the section's lines, each line's key looked up in the set: a set is read from
// every section, so its own index is built once, where the section's would be built per section.
void CZorIni::FindKeyLines(const CIniKeySet& keys, const char** apLines) {
  std::fill(apLines, apLines + keys.Count(), nullptr);
  size_t nLines = m_vecSectionLines.size();
  if (m_vecKeyGuess.size() < nLines) m_vecKeyGuess.resize(nLines, size_t{CIniKeySet::NOT_A_KEY});
  for (size_t n = 0; n < nLines; ++n) {
    if (m_vecKeyLength[n] == NO_KEY) continue;
    const char* pLine = m_vecSectionLines[n];
    size_t nKey = keys.FindGuessed(m_vecKeyGuess[n], pLine, m_vecKeyLength[n]);
    m_vecKeyGuess[n] = nKey;
    if (nKey != CIniKeySet::NOT_A_KEY && apLines[nKey] == nullptr) apLines[nKey] = pLine;
  }
  for (const auto& repeat : keys.Repeats()) apLines[repeat.first] = apLines[repeat.second];
}

CIniKeySet::CIniKeySet(std::initializer_list<const char*> keys) : m_vecKeys(keys) {
  size_t nSlots = 8;
  while (nSlots < m_vecKeys.size() * 2) nSlots *= 2;
  m_vecSlots.assign(nSlots, 0);
  for (size_t i = 0; i < m_vecKeys.size(); ++i) {
    m_vecLength.push_back(strlen(m_vecKeys[i]));
    // A short key as two words of its bytes and two of 0xFF under them, in memory order.
    char szText[2 * sizeof(uint64_t)] = {};
    char szMask[2 * sizeof(uint64_t)] = {};
    size_t nShort = std::min(m_vecLength[i], SHORT_KEY);
    memcpy(szText, m_vecKeys[i], nShort);
    memset(szMask, 0xFF, nShort);
    ShortKey key;
    memcpy(key.anText, szText, sizeof(szText));
    memcpy(key.anMask, szMask, sizeof(szMask));
    key.nFirstLength = ~size_t{0};
    m_vecShort.push_back(key);
    if (m_vecLength[i] == 0) continue;
    uint32_t& nSlot = m_vecSlots[ProbeSlot(
        HashKey(m_vecKeys[i], m_vecLength[i]), nSlots - 1, [&](size_t j) { return m_vecSlots[j] == 0; },
        [&](size_t j) { return strcmp(m_vecKeys[m_vecSlots[j] - 1], m_vecKeys[i]) == 0; })];
    if (nSlot == 0) {
      nSlot = static_cast<uint32_t>(i + 1);
      m_vecShort[i].nFirstLength = m_vecLength[i];
    } else {
      m_vecRepeats.emplace_back(i, nSlot - 1);
    }
  }
  for (size_t i = 0; i <= m_vecKeys.size(); ++i) {
    char szText[2 * sizeof(uint64_t)] = {' '};
    char szMask[2 * sizeof(uint64_t)] = {'\xFF'};
    size_t nKey = i < m_vecKeys.size() ? m_vecShort[i].nFirstLength : ~size_t{0};
    const char* pszKey = i < m_vecKeys.size() ? m_vecKeys[i] : "";
    if (nKey < SHORT_KEY && pszKey[0] != '[' && pszKey[0] != ';' && pszKey[0] != '/') {
      memcpy(szText, pszKey, nKey);
      szText[nKey] = '=';
      memset(szMask, 0xFF, nKey + 1);
    }
    LineStart start;
    memcpy(start.anText, szText, sizeof(szText));
    memcpy(start.anMask, szMask, sizeof(szMask));
    m_vecLineStarts.push_back(start);
  }
}

size_t CIniKeySet::Find(const char* pKey, size_t nKey) const {
  if (nKey == 0) return NOT_A_KEY;
  uint32_t nSlot = m_vecSlots[ProbeSlot(
      HashKey(pKey, nKey), m_vecSlots.size() - 1, [&](size_t j) { return m_vecSlots[j] == 0; },
      [&](size_t j) { return IsFirstListing(m_vecSlots[j] - 1, pKey, nKey); })];
  return nSlot != 0 ? nSlot - 1 : NOT_A_KEY;
}

// atoi of the value, read where it stands.
bool CIniSectionKeys::ReadInt(size_t nKey, int& nValue, bool bReportEmpty) {
  if (nKey < 64 && (m_nPlain >> nKey & 1) != 0) {
    nValue = m_anNumbers[nKey];
    return true;
  }
  if (m_apLines[nKey] == nullptr) return false;
  const char* pValue = m_ini.ValueStartAt(m_apLines[nKey], m_keys.Key(nKey), m_keys.KeyLength(nKey),
                                          bReportEmpty);
  if (pValue == nullptr) return false;
  if (LoadObserver() != nullptr) ObserveIntValue(m_ini, m_keys.Key(nKey), pValue);
  nValue = ParseValueDecimal(pValue);
  return true;
}

bool CIniSectionKeys::ReadFloat(size_t nKey, float& fValue, bool bReportEmpty) {
  std::string_view text;
  if (!ReadText(nKey, text, bReportEmpty)) return false;
  if (!text.empty() && !IsSpace(text.back()) && text.size() < static_cast<size_t>(CZorIni::LINE_BUFFER - 1)) {
    // Read where it stands: the line end behind the text stops the conversion as the copy's zero
    // would, and white space cannot lead it past the text's last character.
    fValue = ParseFloat(text.data(), text.data() + text.size());
  } else {
    char szValue[CZorIni::LINE_BUFFER];  // the conversion may read on to the zero behind a number
    memcpy(szValue, text.data(), text.size());
    szValue[text.size()] = '\0';
    fValue = ParseFloat(szValue, szValue + text.size());
  }
  if (LoadObserver() != nullptr) {
    ObserveNumber(m_ini.GetFileName(), m_keys.Key(nKey), m_apLines[nKey] + m_keys.KeyLength(nKey) + 1,
                  true);
  }
  return true;
}

// The text ReadValue copies, seen where it stands in the image: cut to the line buffer (the
// value stops at a zero byte inside the last line, as the copy's C string does).
bool CIniSectionKeys::ReadText(size_t nKey, std::string_view& text, bool bReportEmpty) {
  if (nKey < 64 && (m_nEnded >> nKey & 1) != 0) {
    text = CZorIni::ValueBefore(m_apLines[nKey], m_keys.KeyLength(nKey), m_apValueEnds[nKey]);
    text = text.substr(0, static_cast<size_t>(CZorIni::LINE_BUFFER - 1));
    return true;
  }
  const char* pValue;
  size_t nValue;
  if (m_apLines[nKey] == nullptr ||
      !m_ini.ValueAt(m_apLines[nKey], m_keys.Key(nKey), m_keys.KeyLength(nKey), bReportEmpty, pValue, nValue)) {
    return false;
  }
  text = std::string_view(pValue, std::min(nValue, static_cast<size_t>(CZorIni::LINE_BUFFER - 1)));
  return true;
}

bool CIniSectionKeys::ReadZorString(size_t nKey, ZorString::CZorString& strValue,
                                    bool bReportEmpty) {
  std::string_view text;
  if (!ReadText(nKey, text, bReportEmpty)) return false;
  strValue.AssignText(text.data(), static_cast<int>(text.size()));
  return true;
}

// The key index's slot for a key: the one holding its first line, or the free one it takes.
size_t CZorIni::SlotOfKey(const char* pKey, size_t nKey) const {
  return ProbeSlot(
      HashKey(pKey, nKey), m_vecKeySlots.size() - 1, [&](size_t i) { return m_vecKeySlots[i] == 0; },
      [&](size_t i) {
        uint32_t nLine = m_vecKeySlots[i] - 1;
        return m_vecKeyLength[nLine] == nKey && memcmp(m_vecSectionLines[nLine], pKey, nKey) == 0;
      });
}

// Every line of the section under its key, the first line of a key standing.
void CZorIni::IndexSectionKeys() {
  size_t nLines = m_vecSectionLines.size();
  size_t nSlots = 8;
  while (nSlots < nLines * 2) nSlots *= 2;
  m_vecKeySlots.assign(nSlots, 0);
  for (size_t n = 0; n < nLines; ++n) {
    const char* pLine = m_vecSectionLines[n];
    if (m_vecKeyLength[n] == NO_KEY) continue;
    uint32_t& nSlot = m_vecKeySlots[SlotOfKey(pLine, m_vecKeyLength[n])];
    if (nSlot == 0) nSlot = static_cast<uint32_t>(n + 1);  // else an earlier line has this key
  }
  m_bKeysIndexed = true;
}

// The first line of the section that starts with the key directly followed by "=", or null.
// A key holding "=" or a line end cannot be a line's text before its first "=": such keys are
// looked for line by line.
const char* CZorIni::FindKeyLine(const char* pszKey, size_t nKey) {
  if (m_vecSectionLines.empty()) return nullptr;
  if (!m_bKeysIndexed) IndexSectionKeys();
  uint32_t nSlot = m_vecKeySlots[SlotOfKey(pszKey, nKey)];
  if (nSlot != 0) return m_vecSectionLines[nSlot - 1];
  // Not a line's key; a key holding "=" or a line end may still start a line.
  bool bPlain = true;
  for (size_t i = 0; i < nKey && bPlain; ++i) bPlain = pszKey[i] != '=' && !IsLineEnd(pszKey[i]);
  if (bPlain) return nullptr;
  for (const char* pLine : m_vecSectionLines) {
    size_t i = 0;
    while (i < nKey && pLine[i] == pszKey[i] && !IsLineEnd(pLine[i])) ++i;
    if (i == nKey && pLine[nKey] == '=') return pLine;
  }
  return nullptr;
}

bool CZorIni::ReadKeyText(const char* pszKey, char* pszBuffer, bool bReportEmpty) {
  if (pszKey == nullptr || *pszKey == '\0') {
    LogError(this, "read %s key wrong!", m_szFileName);
    return false;
  }
  return ReadValue(pszKey, pszBuffer, LINE_BUFFER, bReportEmpty);
}

bool CZorIni::ReadString(const char* pszKey, std::string& strValue, bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  strValue = szValue;
  return true;
}

bool CZorIni::ReadZorString(const char* pszKey, ZorString::CZorString& strValue,
                            bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  strValue.AssignText(szValue, static_cast<int>(strlen(szValue)));  // our own buffer
  return true;
}

bool CZorIni::ReadInt(const char* pszKey, int& nValue, bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  nValue = ParseDecimal(szValue);
  if (LoadObserver() != nullptr) ObserveValue(pszKey, false);
  return true;
}

bool CZorIni::ReadFloat(const char* pszKey, float& fValue, bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  fValue = ParseFloat(szValue);
  if (LoadObserver() != nullptr) ObserveValue(pszKey, true);
  return true;
}

bool CZorIni::ReadLine(std::string& strLine) {
  LineSpan span;
  if (!ReadContentLine(span)) return false;
  strLine.assign(span.pStart, CutLength(span.pStart, span.pEnd));  // a line holds no zero byte before its end
  return true;
}

bool CZorIni::ReadFields(int nType1, void* pDest1, ...) {
  IniFieldLine line;
  if (!ReadFieldLine(line)) return false;
  if (nType1 == INI_END) return true;
  va_list args;
  va_start(args, pDest1);
  bool bFirst = true;
  auto nextPair = [&](IniField& field) {
    if (bFirst) {
      bFirst = false;
      field.nType = nType1;
      field.pData = pDest1;
      return true;
    }
    field.nType = va_arg(args, int);
    if (field.nType == INI_END) return false;
    field.pData = va_arg(args, void*);
    return true;
  };
  int nAttempted;
  int nConverted;
  ConvertLine(line.pszLine, LINE_BUFFER - 1, nextPair, nAttempted, nConverted);
  va_end(args);
  if (nConverted != nAttempted) {
    LogError(this, "%s file format wrong!", m_szFileName);
    ObserveFormatWrong(line.pStart);
    return false;
  }
  return true;
}

bool CZorIni::ReadFieldSet(IniField f1, IniField f2, IniField f3, IniField f4, IniField f5,
                           IniField f6, IniField f7, IniField f8, IniField f9, IniField f10) {
  IniFieldLine line;
  if (!ReadFieldLine(line)) return false;
  const IniField aFields[FIELD_SET_PAIRS] = {f1, f2, f3, f4, f5, f6, f7, f8, f9, f10};
  int nPairs = 0;
  while (nPairs < FIELD_SET_PAIRS && aFields[nPairs].nType != INI_END) ++nPairs;
  // A pair after the first INI_END is never converted, yet counts as expected.
  int nExpected = nPairs;
  for (int i = nPairs; i < FIELD_SET_PAIRS; ++i) nExpected += aFields[i].nType != INI_END ? 1 : 0;
  return ConvertFieldLine(line, aFields, nPairs, nExpected);
}

bool CZorIni::ReadFieldLine(IniFieldLine& line) {
  LineSpan span;
  if (!ReadContentLine(span)) return false;
  line.pStart = span.pStart;
  line.pszLine = FieldLine(span, line.pLineEnd);
  return line.pszLine != nullptr;  // a long line without room for its copy ends the reading
}

bool CZorIni::ConvertFieldLine(const IniFieldLine& line, const IniField* pFields, int nFields,
                               int nExpected) {
  int nNext = 0;
  auto nextPair = [&](IniField& field) {
    if (nNext >= nFields) return false;
    field = pFields[nNext++];
    return true;
  };
  int nAttempted;
  int nConverted;
  // A field of ReadFieldSet over 255 characters is cut to its first 255; the rest of it is
  // skipped.
  bool bSet = nExpected != FIELDS_AS_FOUND;
  ConvertLine(line.pszLine, bSet ? MAX_SET_FIELD : LINE_BUFFER - 1, nextPair, nAttempted, nConverted);
  if (bSet ? nConverted != nExpected : nConverted != nAttempted) {
    LogError(this, "%s file format wrong!", m_szFileName);
    ObserveFormatWrong(line.pStart);
    return false;
  }
  return true;
}

}  // namespace ZorGameBase
