#include "TextScan.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <new>

#include "LoadObserver.h"
#include "ZorPlatform.h"

namespace ZorGameBase {

namespace {

// The text streams' view of nSize bytes read in binary: the text ends at a Ctrl-Z, and each
// carriage return + line feed is one line feed. Returns the new size.
size_t ToTextMode(char* pData, size_t nSize) {
  if (nSize == 0) return 0;
  const void* pEof = memchr(pData, 0x1A, nSize);
  if (pEof != nullptr) nSize = static_cast<size_t>(static_cast<const char*>(pEof) - pData);
  char* pOut = static_cast<char*>(memchr(pData, '\r', nSize));
  if (pOut == nullptr) return nSize;
  const char* pIn = pOut;
  const char* pEnd = pData + nSize;
  while (pIn < pEnd) {
    if (*pIn == '\r' && pIn + 1 < pEnd && pIn[1] == '\n') ++pIn;
    *pOut++ = *pIn++;
  }
  return static_cast<size_t>(pOut - pData);
}

}  // namespace

ZorPlatform::FileHandle OpenWhole(const char* pszPath, size_t& nSize) {
  uint64_t nFileSize = 0;
  ZorPlatform::FileHandle hFile = ZorPlatform::OpenFileToRead(pszPath, nFileSize);
  if (hFile != ZorPlatform::NO_FILE && nFileSize >= SIZE_MAX / 2) {
    ZorPlatform::CloseFile(hFile);
    return ZorPlatform::NO_FILE;
  }
  nSize = static_cast<size_t>(nFileSize);
  return hFile;
}

bool ReadAll(ZorPlatform::FileHandle hFile, char* pBuffer, size_t nSize) {
  return nSize == 0 || ZorPlatform::ReadFileBytes(hFile, pBuffer, nSize) == static_cast<int64_t>(nSize);
}

bool ReadFileImage(const char* pszPath, std::string& image, bool bTextMode) {
  image.clear();
  size_t nSize = 0;
  ZorPlatform::FileHandle hFile = OpenWhole(pszPath, nSize);
  if (hFile == ZorPlatform::NO_FILE) {
    if (bTextMode && LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  bool bRead = false;
  try {
    image.resize(nSize);
    bRead = ReadAll(hFile, image.data(), nSize);
  } catch (const std::exception&) {
    bRead = false;  // larger than this process can hold
  }
  ZorPlatform::CloseFile(hFile);
  if (!bRead) {
    image.clear();
    return false;
  }
  if (bTextMode) image.resize(ToTextMode(image.data(), image.size()));
  if (LoadObserver() != nullptr) ObserveFile(pszPath, image.data(), image.size(), bTextMode);
  return true;
}

bool CFileImage::Read(const char* pszPath, bool bTextMode) {
  m_nSize = 0;
  size_t nWanted = 0;
  ZorPlatform::FileHandle hFile = OpenWhole(pszPath, nWanted);
  if (hFile == ZorPlatform::NO_FILE) {
    if (bTextMode && LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  if (nWanted >= m_block.Size()) {  // room for the zero byte behind the image too
    CTableBlock::ReleaseImage(std::move(m_block));
    try {
      m_block = CTableBlock::ForImage(nWanted + 1);
    } catch (const std::bad_alloc&) {
      // larger than this process can hold: not read
    }
  }
  bool bRead = nWanted < m_block.Size() && ReadAll(hFile, m_block.Bytes(), nWanted);
  ZorPlatform::CloseFile(hFile);
  if (!bRead) {
    if (bTextMode && LoadObserver() != nullptr) ObserveOpenFailure(pszPath);
    return false;
  }
  m_nSize = bTextMode ? ToTextMode(m_block.Bytes(), nWanted) : nWanted;
  m_block.Bytes()[m_nSize] = '\0';
  if (LoadObserver() != nullptr) ObserveFile(pszPath, m_block.Bytes(), m_nSize, bTextMode);
  return true;
}

void CFileImage::Release() {
  CTableBlock::ReleaseImage(std::move(m_block));
  m_nSize = 0;
}

int32_t ParseDecimal(const char* pszText) {
  const char* p = pszText;
  while (IsScanSpace(*p)) ++p;
  bool bNegative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  int64_t nValue = 0;
  for (unsigned nDigit; (nDigit = static_cast<unsigned char>(*p) - '0') < 10; ++p) {
    if (nValue <= INT32_MAX) nValue = nValue * 10 + nDigit;  // past the limit it saturates
  }
  if (bNegative) return nValue > -static_cast<int64_t>(INT32_MIN) ? INT32_MIN : static_cast<int32_t>(-nValue);
  return nValue > INT32_MAX ? INT32_MAX : static_cast<int32_t>(nValue);
}

int32_t ParseValueDecimal(const char* pValue) {
  const char* p = pValue;
  while (*p != '\r' && *p != '\n' && IsScanSpace(*p)) ++p;
  return *p == '\r' || *p == '\n' ? 0 : ParseDecimal(p);
}

std::string_view CutAtNul(std::string_view text) {
  size_t nZero = text.find('\0');
  return nZero == std::string_view::npos ? text : text.substr(0, nZero);
}

namespace {
int DigitValue(char ch) {
  unsigned nDigit = static_cast<unsigned char>(ch) - '0';
  if (nDigit < 10) return static_cast<int>(nDigit);
  unsigned nLetter = (static_cast<unsigned char>(ch) | 0x20u) - 'a';  // a-f and A-F alike
  return nLetter < 6 ? static_cast<int>(nLetter) + 10 : 99;
}
}  // namespace

bool CTextScan::Digits(uint64_t& nValue, bool& bNegative, int nBase) {
  SkipSpace();
  const char* p = m_pPos;
  bNegative = false;
  if (p < m_pEnd && (*p == '+' || *p == '-')) bNegative = *p++ == '-';
  if (nBase == 16 && m_pEnd - p >= 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
      DigitValue(p[2]) < 16)
    p += 2;
  const char* pDigits = p;
  uint64_t nAccum = 0;
  for (int nDigit; p < m_pEnd && (nDigit = DigitValue(*p)) < nBase; ++p)
    nAccum = nAccum * static_cast<uint64_t>(nBase) + static_cast<uint64_t>(nDigit);
  if (p == pDigits) return false;
  m_pPos = p;
  nValue = bNegative ? 0 - nAccum : nAccum;
  return true;
}

bool CTextScan::Hex32(uint32_t& nValue) {
  uint64_t nAccum;
  bool bNegative;
  if (!Digits(nAccum, bNegative, 16)) return false;
  nValue = static_cast<uint32_t>(nAccum);
  return true;
}

namespace {
// The full conversion of the number at p (after its sign, at most to pEnd): the longest prefix
// of the form digits [. digits] [e [sign] digits] with at least one mantissa digit; an exponent
// mark without digits behind it is not taken. Null when there is no mantissa digit, else the
// end of the number. Apart from the short form, so that the short form's path stays lean.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
const char* ConvertFloat(const char* p, const char* pEnd, float& fParsed) {
  const char* pNumber = p;
  size_t nMantissaDigits = 0;
  while (p < pEnd && *p >= '0' && *p <= '9') ++p, ++nMantissaDigits;
  if (p < pEnd && *p == '.') {
    ++p;
    while (p < pEnd && *p >= '0' && *p <= '9') ++p, ++nMantissaDigits;
  }
  if (nMantissaDigits == 0) return nullptr;
  if (p < pEnd && (*p == 'e' || *p == 'E')) {
    const char* pExp = p + 1;
    if (pExp < pEnd && (*pExp == '+' || *pExp == '-')) ++pExp;
    if (pExp < pEnd && *pExp >= '0' && *pExp <= '9') {
      while (pExp < pEnd && *pExp >= '0' && *pExp <= '9') ++pExp;
      p = pExp;
    }
  }
  fParsed = 0.0f;
  auto result = std::from_chars(pNumber, p, fParsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small zero, as the runtime's conversion does.
    const char* pMark = std::find_if(pNumber, p, [](char ch) { return ch == 'e' || ch == 'E'; });
    bool bTiny = pMark != p && pMark[1] == '-';
    fParsed = bTiny ? 0.0f : std::numeric_limits<float>::infinity();
  }
  return p;
}
}  // namespace

bool CTextScan::Float(float& fValue) {
  SkipSpace();
  const char* p = m_pPos;
  bool bNegative = false;
  if (p < m_pEnd && (*p == '+' || *p == '-')) bNegative = *p++ == '-';
  float fParsed;
  const char* pStop;
  if (!ShortDecimalFloat(p, m_pEnd, fParsed, pStop)) {
    pStop = ConvertFloat(p, m_pEnd, fParsed);
    if (pStop == nullptr) return false;
  }
  fValue = bNegative ? -fParsed : fParsed;
  m_pPos = pStop;
  return true;
}

}  // namespace ZorGameBase
