#include "ZorIni.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

#include "DebugLog.h"
#include "Gbk.h"

namespace ZorGameBase {
namespace {

const int MAX_SET_FIELD = 255;  // characters of one ReadFieldSet field
const int FIELD_SET_PAIRS = 10;
const long MAX_FILE_SIZE = 0x7FFFFFFE;

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool IsLineEnd(char ch) { return ch == '\r' || ch == '\n' || ch == '\0'; }
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

int32_t ToInt32(uint64_t nMagnitude, bool bNegative) {
  if (bNegative) return nMagnitude >= 0x80000000ull ? INT32_MIN : -static_cast<int32_t>(nMagnitude);
  return nMagnitude > 0x7FFFFFFFull ? INT32_MAX : static_cast<int32_t>(nMagnitude);
}

// Decimal only, as the runtime's atoi (saturating).
int32_t ParseDecimal(const char* pszText) {
  bool bNegative;
  uint64_t nMagnitude = ParseMagnitude(pszText, 10, bNegative);
  return ToInt32(nMagnitude, bNegative);
}

// The base for ParseIniInteger/ParseIniUnsigned: "0" not followed by x is decimal.
int IniBase(const char* p) {
  while (IsSpace(*p)) ++p;
  return p[0] == '0' && p[1] != 'x' && p[1] != 'X' ? 10 : 0;
}

template <typename T>
void Store(void* pDest, T value) {
  memcpy(pDest, &value, sizeof(value));
}

// Converts one field into its destination by type. A null destination or an unknown type
// converts nothing (the field still counts).
void ConvertField(int nType, void* pDest, const char* pszField) {
  if (pDest == nullptr) return;
  switch (nType) {
    case INI_INT:
    case INI_LONG:
    case INI_INT32:
      Store<int32_t>(pDest, ParseIniInteger(pszField));
      break;
    case INI_INT64:
      Store<int64_t>(pDest, strtoll(pszField, nullptr, 10));
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
      Store<float>(pDest, strtof(pszField, nullptr));
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
      *static_cast<ZorString::CZorString*>(pDest) = pszField;
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

// The field loop shared by ReadFields and ReadFieldSet over one line: pairs come from
// nextPair(IniField&) until it returns false. Counts attempted and converted pairs. A field
// longer than nMaxField characters is cut to its first nMaxField.
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
    while (!IsSpace(*p) && *p != '\0') ++p;
    int nLength = static_cast<int>(p - pStart);
    bool bText =
        field.nType == INI_CHARS || field.nType == INI_STRING || field.nType == INI_ZORSTRING;
    if (!bText && nLength <= nMaxField) {
      // Number conversions stop at the white space after the field: no copy needed.
      ConvertField(field.nType, field.pData, pStart);
    } else {
      if (nLength > nMaxField) nLength = nMaxField;
      memcpy(szField, pStart, static_cast<size_t>(nLength));
      szField[nLength] = '\0';
      ConvertField(field.nType, field.pData, szField);
    }
    ++nConverted;
    if (IsLineEnd(*p)) break;
  }
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

}  // namespace

// One line of the image: its first non-blank character, its length without leading and
// trailing blanks, and where it ends.
struct CZorIni::LineSpan {
  const char* pStart;
  size_t nLength;
  const char* pEnd;
};

int32_t ParseIniInteger(const char* pszText) {
  if (pszText == nullptr || *pszText == '\0') return 0;
  bool bNegative;
  uint64_t nMagnitude = ParseMagnitude(pszText, IniBase(pszText), bNegative);
  return ToInt32(nMagnitude, bNegative);
}

uint32_t ParseIniUnsigned(const char* pszText) {
  if (pszText == nullptr || *pszText == '\0') return 0;
  bool bNegative;
  uint64_t nMagnitude = ParseMagnitude(pszText, IniBase(pszText), bNegative);
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

void SplitNumberList(const char* pszText, std::vector<unsigned>& values, const char* pszSeparator,
                     unsigned nLength) {
  if (nLength == 0) return;
  std::string strScratch;
  // A null text is an empty list; a longer text than the scratch is cut to nLength - 1.
  if (pszText != nullptr) {
    size_t nText = 0;
    while (nText + 1 < nLength && pszText[nText] != '\0') ++nText;
    strScratch.assign(pszText, nText);
  }
  char chSeparator = pszSeparator != nullptr && *pszSeparator != '\0' ? *pszSeparator : ',';
  values.clear();
  if (pszText == nullptr) return;
  const char* p = strScratch.c_str();
  for (;;) {
    long long nValue = strtoll(p, nullptr, 10);
    if (nValue >= 0) values.push_back(static_cast<unsigned>(nValue));
    p = strchr(p, chSeparator);
    if (p == nullptr) break;
    ++p;
  }
}

CZorIni::CZorIni()
    : m_pFile(nullptr),
      m_encryptFile(DAT_FILE_SEED),
      m_pCursor(nullptr),
      m_pLastLine(nullptr),
      m_nSize(0),
      m_szFileName(),
      m_szSectionTitle(),
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
  m_pBuffer.reset(new (std::nothrow) char[static_cast<size_t>(nSize) + 1]);
  m_pLineBuffer.reset(new (std::nothrow) char[LINE_BUFFER]);
  if (m_pBuffer == nullptr || m_pLineBuffer == nullptr) {
    m_pBuffer.reset();
    m_pLineBuffer.reset();
    return false;
  }
  m_pLineBuffer[0] = '\0';
  m_nSize = nSize;
  return true;
}

void CZorIni::StartWalk() {
  m_pBuffer[m_nSize] = '\0';
  m_pCursor = m_pBuffer.get();
  m_pLastLine = m_pBuffer.get() + m_nSize;
}

bool CZorIni::LoadPlain(const char* pszPath) { return LoadImage(pszPath, false); }

bool CZorIni::LoadEnciphered(const char* pszPath) { return LoadImage(pszPath, true); }

// Reads the whole file into the image in one read. An enciphered file is deciphered there in
// place with the embedded encrypted file's key, so that its text is held once, however large
// the file; an empty enciphered file fails, an empty plain one is an empty document.
bool CZorIni::LoadImage(const char* pszPath, bool bEnciphered) {
  m_pFile = fopen(pszPath, "rb");
  if (m_pFile == nullptr) return false;
  long nLength = -1;
  if (fseek(m_pFile, 0, SEEK_END) == 0) nLength = ftell(m_pFile);
  bool bLoaded = false;
  if (nLength == 0) {
    bLoaded = !bEnciphered;  // an empty document: nothing to read, every walk finds nothing
  } else if (nLength > 0 && nLength <= MAX_FILE_SIZE && fseek(m_pFile, 0, SEEK_SET) == 0 &&
             AllocateImage(static_cast<uint32_t>(nLength))) {
    bLoaded = fread(m_pBuffer.get(), 1, m_nSize, m_pFile) == m_nSize;
    if (bLoaded && bEnciphered) {
      CZorEncryptFile::Decipher(m_encryptFile.GetKey(),
                                reinterpret_cast<unsigned char*>(m_pBuffer.get()),
                                static_cast<int>(m_nSize));
    }
    if (bLoaded) StartWalk();
  }
  fclose(m_pFile);
  m_pFile = nullptr;
  if (!bLoaded) Close();
  return bLoaded;
}

bool CZorIni::Close() {
  if (m_pFile != nullptr) {
    fclose(m_pFile);
    m_pFile = nullptr;
  }
  m_pBuffer.reset();
  m_pLineBuffer.reset();
  m_szFileName[0] = '\0';
  m_szSectionTitle[0] = '\0';
  m_pCursor = nullptr;
  m_pLastLine = nullptr;
  m_nSize = 0;
  m_vecSectionLines.clear();
  return true;
}

bool CZorIni::AtEnd() const {
  return m_pBuffer == nullptr || m_pCursor >= m_pBuffer.get() + m_nSize;
}

// Reads the line at the cursor and moves past its end. False when no bytes remain, and for a
// last line without line break that holds nothing but blanks.
bool CZorIni::ReadRawLine(LineSpan& span) {
  if (m_pBuffer == nullptr) return false;
  const char* pDataEnd = m_pBuffer.get() + m_nSize;
  const char* p = m_pCursor;
  if (p >= pDataEnd) return false;
  while (IsBlank(*p)) ++p;
  const char* pEnd = p + strcspn(p, "\r\n");  // also stops at a zero byte
  const char* pLast = pEnd;
  while (pLast > p && IsBlank(pLast[-1])) --pLast;
  span.pStart = p;
  span.nLength = static_cast<size_t>(pLast - p);
  span.pEnd = pEnd;
  if (pEnd >= pDataEnd) {
    m_pLastLine = p;
    m_pCursor = pDataEnd;
    return span.nLength > 0;
  }
  m_pCursor = pEnd + (pEnd[0] == '\r' && pEnd[1] == '\n' ? 2 : 1);
  return true;
}

bool CZorIni::ReadContentLine(LineSpan& span) {
  while (ReadRawLine(span)) {
    if (span.nLength == 0) continue;
    if (span.pStart[0] == ';' || (span.pStart[0] == '/' && span.pStart[1] == '/')) continue;
    return true;
  }
  return false;
}

// A line longer than 2047 characters is cut to its first 2047; the rest of it is dropped.
const char* CZorIni::CopyToLineBuffer(const LineSpan& span) {
  size_t nCopy = static_cast<size_t>(span.pEnd - span.pStart);
  if (nCopy > LINE_BUFFER - 1) nCopy = LINE_BUFFER - 1;
  memcpy(m_pLineBuffer.get(), span.pStart, nCopy);
  m_pLineBuffer[nCopy] = '\0';
  return m_pLineBuffer.get();
}

bool CZorIni::ReadSection() {
  if (m_pBuffer == nullptr) return false;
  m_vecSectionLines.clear();
  LineSpan span;
  for (;;) {
    if (!ReadContentLine(span)) return false;
    if (IsHeader(span)) break;
  }
  size_t nTitle = span.nLength - 2;
  if (nTitle >= TITLE_BUFFER) {
    char szTitle[LINE_BUFFER];
    if (nTitle > LINE_BUFFER - 1) nTitle = LINE_BUFFER - 1;
    memcpy(szTitle, span.pStart + 1, nTitle);
    szTitle[nTitle] = '\0';
    LogError(this, "%s %s title too long wrong!", m_szFileName, szTitle);
    return false;
  }
  memcpy(m_szSectionTitle, span.pStart + 1, nTitle);
  m_szSectionTitle[nTitle] = '\0';
  const char* pDataEnd = m_pBuffer.get() + m_nSize;
  while (ReadContentLine(span)) {
    if (IsHeader(span)) {
      m_pCursor = span.pStart;  // the next ReadSection starts at this header
      return true;
    }
    if (span.pStart < m_pBuffer.get() || span.pStart >= pDataEnd) return false;
    m_vecSectionLines.push_back(span.pStart);
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

bool CZorIni::ReadValue(const char* pszKey, char* pszBuffer, int nBufferSize, bool bReportEmpty) {
  if (m_pBuffer == nullptr) return false;
  if (pszKey == nullptr || *pszKey == '\0') {
    LogError(this, "read %s key wrong!", m_szFileName);
    return false;
  }
  if (pszBuffer == nullptr || nBufferSize < 1 || nBufferSize > LINE_BUFFER) return false;
  size_t nKey = strlen(pszKey);
  for (const char* pLine : m_vecSectionLines) {
    size_t i = 0;
    while (i < nKey && pLine[i] == pszKey[i] && !IsLineEnd(pLine[i])) ++i;
    if (i < nKey || pLine[nKey] != '=') continue;
    const char* p = pLine + nKey + 1;
    size_t nMax = static_cast<size_t>(nBufferSize) - 1;
    if (pLine == m_pLastLine) {
      // The last line without a line break: the rest of the data, spaces kept; an empty value
      // is a value. Cut to the caller's buffer.
      const char* pDataEnd = m_pBuffer.get() + m_nSize;
      size_t nCopy = static_cast<size_t>(pDataEnd - p);
      if (nCopy > nMax) nCopy = nMax;
      memcpy(pszBuffer, p, nCopy);
      pszBuffer[nCopy] = '\0';
      return true;
    }
    if (IsLineEnd(*p)) {
      if (bReportEmpty) LogError(this, "%s key: %s format wrong!", m_szFileName, pszKey);
      return false;
    }
    while (*p == ' ') ++p;
    size_t nCopy = 0;
    while (nCopy < nMax && !IsLineEnd(p[nCopy])) ++nCopy;
    memcpy(pszBuffer, p, nCopy);
    pszBuffer[nCopy] = '\0';
    return true;
  }
  return false;
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
  strValue = szValue;
  return true;
}

bool CZorIni::ReadInt(const char* pszKey, int& nValue, bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  nValue = ParseDecimal(szValue);
  return true;
}

bool CZorIni::ReadFloat(const char* pszKey, float& fValue, bool bReportEmpty) {
  char szValue[LINE_BUFFER];
  if (!ReadKeyText(pszKey, szValue, bReportEmpty)) return false;
  fValue = strtof(szValue, nullptr);
  return true;
}

bool CZorIni::ReadLine(std::string& strLine) {
  LineSpan span;
  if (!ReadContentLine(span)) return false;
  strLine = CopyToLineBuffer(span);
  return true;
}

bool CZorIni::ReadFields(int nType1, void* pDest1, ...) {
  LineSpan span;
  if (!ReadContentLine(span)) return false;
  const char* pszLine = CopyToLineBuffer(span);
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
  ConvertLine(pszLine, LINE_BUFFER - 1, nextPair, nAttempted, nConverted);
  va_end(args);
  if (nConverted != nAttempted) {
    LogError(this, "%s file format wrong!", m_szFileName);
    return false;
  }
  return true;
}

bool CZorIni::ReadFieldSet(IniField f1, IniField f2, IniField f3, IniField f4, IniField f5,
                           IniField f6, IniField f7, IniField f8, IniField f9, IniField f10) {
  LineSpan span;
  if (!ReadContentLine(span)) return false;
  const char* pszLine = CopyToLineBuffer(span);
  const IniField aFields[FIELD_SET_PAIRS] = {f1, f2, f3, f4, f5, f6, f7, f8, f9, f10};
  int nExpected = 0;
  for (const IniField& field : aFields) nExpected += field.nType != INI_END ? 1 : 0;
  int nNext = 0;
  auto nextPair = [&](IniField& field) {
    if (nNext >= FIELD_SET_PAIRS || aFields[nNext].nType == INI_END) return false;
    field = aFields[nNext++];
    return true;
  };
  int nAttempted;
  int nConverted;
  // A field over 255 characters is cut to its first 255; the rest of it is skipped.
  ConvertLine(pszLine, MAX_SET_FIELD, nextPair, nAttempted, nConverted);
  if (nConverted != nExpected) {
    LogError(this, "%s file format wrong!", m_szFileName);
    return false;
  }
  return true;
}

}  // namespace ZorGameBase
