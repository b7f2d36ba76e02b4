#include "TextScan.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>

namespace ZorGameBase {

bool ReadFileImage(const char* pszPath, std::string& image, bool bTextMode) {
  image.clear();
  if (pszPath == nullptr) return false;
  FILE* pFile = fopen(pszPath, "rb");
  if (pFile == nullptr) return false;
  bool bRead = false;
  long nSize = -1;
  // A folder opens on some systems and reads as an error: probe one byte first.
  fgetc(pFile);
  if (ferror(pFile) == 0 && fseek(pFile, 0, SEEK_END) == 0 && (nSize = ftell(pFile)) >= 0 &&
      fseek(pFile, 0, SEEK_SET) == 0) {
    try {
      image.resize(static_cast<size_t>(nSize));
      bRead = fread(image.data(), 1, image.size(), pFile) == image.size();
    } catch (const std::exception&) {
      bRead = false;  // larger than this process can hold
    }
  }
  fclose(pFile);
  if (!bRead) {
    image.clear();
    return false;
  }
  if (bTextMode) {
    const void* pEof = memchr(image.data(), 0x1A, image.size());
    if (pEof != nullptr) image.resize(static_cast<const char*>(pEof) - image.data());
    char* pOut = static_cast<char*>(memchr(image.data(), '\r', image.size()));
    if (pOut != nullptr) {
      const char* pIn = pOut;
      const char* pEnd = image.data() + image.size();
      while (pIn < pEnd) {
        if (*pIn == '\r' && pIn + 1 < pEnd && pIn[1] == '\n') ++pIn;
        *pOut++ = *pIn++;
      }
      image.resize(pOut - image.data());
    }
  }
  return true;
}

std::string_view CutAtNul(std::string_view text) {
  size_t nZero = text.find('\0');
  return nZero == std::string_view::npos ? text : text.substr(0, nZero);
}

void CTextScan::SkipSpace() {
  while (m_pPos < m_pEnd && IsScanSpace(*m_pPos)) ++m_pPos;
}

bool CTextScan::Literal(char ch) {
  if (m_pPos >= m_pEnd || *m_pPos != ch) return false;
  ++m_pPos;
  return true;
}

namespace {
int DigitValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return 99;
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

bool CTextScan::Int32(int32_t& nValue) {
  uint64_t nAccum;
  bool bNegative;
  if (!Digits(nAccum, bNegative, 10)) return false;
  nValue = static_cast<int32_t>(static_cast<uint32_t>(nAccum));
  return true;
}

bool CTextScan::UInt32(uint32_t& nValue) {
  uint64_t nAccum;
  bool bNegative;
  if (!Digits(nAccum, bNegative, 10)) return false;
  nValue = static_cast<uint32_t>(nAccum);
  return true;
}

bool CTextScan::Int64(int64_t& nValue) {
  uint64_t nAccum;
  bool bNegative;
  if (!Digits(nAccum, bNegative, 10)) return false;
  nValue = static_cast<int64_t>(nAccum);
  return true;
}

bool CTextScan::Hex32(uint32_t& nValue) {
  uint64_t nAccum;
  bool bNegative;
  if (!Digits(nAccum, bNegative, 16)) return false;
  nValue = static_cast<uint32_t>(nAccum);
  return true;
}

// The longest prefix of the form [sign] digits [. digits] [e [sign] digits] with at least one
// mantissa digit; an exponent mark without digits behind it is not taken.
bool CTextScan::Float(float& fValue) {
  SkipSpace();
  const char* p = m_pPos;
  bool bNegative = false;
  if (p < m_pEnd && (*p == '+' || *p == '-')) bNegative = *p++ == '-';
  const char* pNumber = p;
  size_t nMantissaDigits = 0;
  while (p < m_pEnd && *p >= '0' && *p <= '9') ++p, ++nMantissaDigits;
  if (p < m_pEnd && *p == '.') {
    ++p;
    while (p < m_pEnd && *p >= '0' && *p <= '9') ++p, ++nMantissaDigits;
  }
  if (nMantissaDigits == 0) return false;
  if (p < m_pEnd && (*p == 'e' || *p == 'E')) {
    const char* pExp = p + 1;
    if (pExp < m_pEnd && (*pExp == '+' || *pExp == '-')) ++pExp;
    if (pExp < m_pEnd && *pExp >= '0' && *pExp <= '9') {
      while (pExp < m_pEnd && *pExp >= '0' && *pExp <= '9') ++pExp;
      p = pExp;
    }
  }
  float fParsed = 0.0f;
  auto result = std::from_chars(pNumber, p, fParsed, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small zero, as the runtime's conversion does.
    const char* pMark = std::find_if(pNumber, p, [](char ch) { return ch == 'e' || ch == 'E'; });
    bool bTiny = pMark != p && pMark[1] == '-';
    fParsed = bTiny ? 0.0f : std::numeric_limits<float>::infinity();
  }
  fValue = bNegative ? -fParsed : fParsed;
  m_pPos = p;
  return true;
}

bool CTextScan::Word(std::string_view& word) {
  SkipSpace();
  if (m_pPos >= m_pEnd) return false;
  const char* pStart = m_pPos;
  while (m_pPos < m_pEnd && !IsScanSpace(*m_pPos)) ++m_pPos;
  word = std::string_view(pStart, m_pPos - pStart);
  return true;
}

bool CTextScan::LinePiece(std::string_view& piece, size_t nCount) {
  if (m_pPos >= m_pEnd || nCount < 2) return false;
  size_t nMax = std::min(static_cast<size_t>(m_pEnd - m_pPos), nCount - 1);
  const void* pFeed = memchr(m_pPos, '\n', nMax);
  size_t nLength = pFeed != nullptr ? static_cast<const char*>(pFeed) - m_pPos + 1 : nMax;
  piece = CutAtNul(std::string_view(m_pPos, nLength));
  m_pPos += nLength;
  return true;
}

}  // namespace ZorGameBase
